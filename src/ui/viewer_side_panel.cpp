#include "ui/viewer_side_panel.h"

#include <QFrame>
#include <QLabel>

#include "ui/object_names.h"
#include "ui/player_panel_view.h"
#include "ui/team_pictures.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

constexpr int kWidth = 200;
constexpr int kLegendRow = 20;
constexpr int kLineHeight = 15;
constexpr int kBlockPadding = 6;
constexpr int kHeadingHeight = 20;
constexpr int kBlockGap = 6;
constexpr int kLegendHeight = 4 * kLegendRow;
constexpr int kTeamTotalsHeight = 21 + 3 * kLineHeight;

QFrame* Block(const QString& name, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid #343434; border-radius: 4px;"
                                      " background: rgba(255, 255, 255, 8); }")
                           .arg(name));
  return frame;
}

}  // namespace

ViewerSidePanel::ViewerSidePanel(QWidget* parent)
    : QWidget(parent),
      legend_(new QWidget(this)),
      team_totals_(new QWidget(this)),
      your_stats_(Block(names::kYourStatsBlock, this)),
      player_frame_(Block(names::kPlayerBlock, this)),
      player_(new PlayerPanelView(std::nullopt, 1, player_frame_)) {
  const std::array<std::pair<TeamMark, const char*>, 4> legend = {{
      {TeamMark::kBlue, "Blue team"},
      {TeamMark::kRed, "Red team"},
      {TeamMark::kBoth, "Played for both teams"},
      {TeamMark::kNone, "No team or team not found"},
  }};
  legend_->setGeometry(0, 0, kWidth, kLegendHeight);
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const int top = static_cast<int>(i) * kLegendRow;
    auto* flag = new QLabel(legend_);
    flag->setPixmap(FlagPixmap(legend[i].first, devicePixelRatioF()));
    flag->setGeometry(0, top, 20, 20);
    (new QLabel(QString::fromLatin1(legend[i].second), legend_))->setGeometry(28, top, 170, 20);
  }

  // Blue under the blue flag, red under the red one.
  team_totals_->setObjectName(names::kTeamTotals);
  team_totals_->setGeometry(0, kLegendHeight + 4, kWidth, kTeamTotalsHeight);
  for (int team = 0; team < 2; ++team) {
    const int left = team * (kWidth / 2);
    auto* flag = new QLabel(team_totals_);
    flag->setPixmap(FlagPixmap(team == 0 ? TeamMark::kBlue : TeamMark::kRed, devicePixelRatioF()));
    flag->setGeometry(left, 0, 20, 20);
    for (int line = 0; line < 3; ++line) {
      auto* label = new QLabel(team_totals_);
      label->setGeometry(left + 2, 21 + line * kLineHeight, kWidth / 2 - 4, kLineHeight);
      team_labels_[static_cast<std::size_t>(team * 3 + line)] = label;
    }
  }

  NewHeading(QStringLiteral("Your stats:"), your_stats_)
      ->setGeometry(kBlockPadding, kBlockPadding - 2, kWidth, kHeadingHeight);
  for (std::size_t i = 0; i < your_labels_.size(); ++i) {
    auto* label = new QLabel(your_stats_);
    label->setObjectName(names::kYourStatsLines[i]);
    label->setGeometry(kBlockPadding,
                       kBlockPadding + kHeadingHeight + static_cast<int>(i) * kLineHeight,
                       kWidth - 2 * kBlockPadding, kLineHeight);
    your_labels_[i] = label;
  }
  your_stats_->resize(kWidth, 2 * kBlockPadding + kHeadingHeight + 9 * kLineHeight);
  player_->setGeometry(kBlockPadding, kBlockPadding - 2, kWidth - 2 * kBlockPadding,
                       player_->ContentHeight());
  player_frame_->resize(kWidth, player_->ContentHeight() + 2 * kBlockPadding);
  PlaceBlocks(kLegendHeight + 4 + kTeamTotalsHeight + kBlockGap);
}

void ViewerSidePanel::PlaceBlocks(int top) {
  your_stats_->move(0, top);
  // Without "Your stats:" (a parsed log) the player panel takes its place.
  player_frame_->move(
      0, your_stats_->isHidden() ? top : your_stats_->geometry().bottom() + 1 + kBlockGap);
}

void ViewerSidePanel::ShowYourStats(const YourStats& stats, bool visible) {
  const std::array<const std::string*, 9> texts = {
      &stats.kills,       &stats.deaths, &stats.ratio, &stats.kills_per_minute, &stats.time,
      &stats.flags_taken, &stats.caps,   &stats.rets,  &stats.carrier_kills};
  for (std::size_t i = 0; i < texts.size(); ++i) your_labels_[i]->setText(FromGameText(*texts[i]));
  your_stats_->setVisible(visible);
  PlaceBlocks(your_stats_->y());
}

void ViewerSidePanel::ShowTeamTotals(const TeamTotalLabels& totals) {
  const std::array<const std::string*, 6> texts = {
      &totals.blue_caps, &totals.blue_rets, &totals.blue_flags_taken,
      &totals.red_caps,  &totals.red_rets,  &totals.red_flags_taken};
  for (std::size_t i = 0; i < texts.size(); ++i) team_labels_[i]->setText(FromGameText(*texts[i]));
  team_totals_->setVisible(totals.visible);
}

void ViewerSidePanel::ShowPlayer(const std::string& nickname, const PlayerPanel& panel) {
  player_->Show(nickname, panel);
}

void ViewerSidePanel::RemoveLegend() {
  legend_->hide();
  team_totals_->hide();
  PlaceBlocks(0);
}

}  // namespace mrv::ui
