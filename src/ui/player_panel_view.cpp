#include "ui/player_panel_view.h"

#include <QLabel>

#include "ui/object_names.h"
#include "ui/ui_text.h"

namespace mrv::ui {

PlayerPanelView::PlayerPanelView(std::optional<int> side, int columns, QWidget* parent)
    : QWidget(parent), columns_(columns), nickname_(new QLabel(this)) {
  const auto named = [side](const char* name) {
    return side ? names::OnSide(name, *side) : QString::fromLatin1(name);
  };
  nickname_->setObjectName(named(names::kPlayerNickname));
  QFont big = nickname_->font();
  big.setPixelSize(14);
  big.setBold(true);
  nickname_->setFont(big);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    lines_[i] = new QLabel(this);
    lines_[i]->setObjectName(named(names::kPlayerLines[i]));
  }
}

void PlayerPanelView::Show(const std::string& nickname, const PlayerPanel& panel) {
  nickname_->setText(FromGameText(nickname));
  const std::array<const std::string*, 7> texts = {&panel.kills,        &panel.deaths, &panel.ratio,
                                                   &panel.flags_taken,  &panel.caps,   &panel.rets,
                                                   &panel.carrier_kills};
  for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i]->setText(FromGameText(*texts[i]));
}

int PlayerPanelView::ContentHeight() const {
  const int rows = (static_cast<int>(lines_.size()) + columns_ - 1) / columns_;
  return kNicknameHeight + rows * kLineHeight;
}

void PlayerPanelView::resizeEvent(QResizeEvent*) {
  nickname_->setGeometry(0, 0, width(), kNicknameHeight);
  const int rows = (static_cast<int>(lines_.size()) + columns_ - 1) / columns_;
  const int column_width = width() / columns_;
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    lines_[static_cast<std::size_t>(i)]->setGeometry((i / rows) * column_width,
                                                     kNicknameHeight + (i % rows) * kLineHeight,
                                                     column_width - 4, kLineHeight);
  }
}

}  // namespace mrv::ui
