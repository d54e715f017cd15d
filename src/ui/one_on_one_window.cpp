#include "ui/one_on_one_window.h"

#include <QPainter>

#include "ui/object_names.h"
#include "ui/player_panel_view.h"
#include "ui/theme.h"
#include "ui/weapon_grid_panel.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kMargin = 14;
constexpr int kPanelTop = kTitleStripHeight + 8;
constexpr int kGridGap = 12;

}  // namespace

OneOnOneWindow::OneOnOneWindow(QWidget* viewer) : QDialog(viewer, Qt::Tool), background_(art::kPanelBackground) {
  setObjectName(names::kOneOnOneWindow);
  new WindowFrame(this, QStringLiteral("1 on 1"),
                  {.minimise = false, .resizable = true, .maximise = true});
  setMinimumSize(kSize);
  resize(kSize);
  for (int side = 0; side < 2; ++side) {
    Half& half = halves_[static_cast<std::size_t>(side)];
    half.panel = new PlayerPanelView(side, 2, this);
    half.kills =
        new WeaponGridPanel(QStringLiteral("Kills:"), names::OnSide(names::kKillsGrid, side),
                            names::OnSide(names::kKillsDetailsButton, side), this);
    half.deaths =
        new WeaponGridPanel(QStringLiteral("Deaths:"), names::OnSide(names::kDeathsGrid, side),
                            names::OnSide(names::kDeathsDetailsButton, side), this);
    connect(half.kills, &WeaponGridPanel::detailsClicked, this,
            [this, side] { emit detailsClicked(side, true); });
    connect(half.deaths, &WeaponGridPanel::detailsClicked, this,
            [this, side] { emit detailsClicked(side, false); });
  }
}

void OneOnOneWindow::Show(const std::array<OneOnOneSide, 2>& sides) {
  for (std::size_t side = 0; side < sides.size(); ++side) {
    halves_[side].panel->Show(sides[side].nickname, sides[side].panel);
    halves_[side].kills->Show(sides[side].kills);
    halves_[side].deaths->Show(sides[side].deaths);
  }
}

void OneOnOneWindow::resizeEvent(QResizeEvent*) {
  const int half_width = width() / 2;
  for (int side = 0; side < 2; ++side) {
    const int left = side * half_width + kMargin;
    const int inner = half_width - 2 * kMargin;
    Half& half = halves_[static_cast<std::size_t>(side)];
    half.panel->setGeometry(left, kPanelTop, inner, half.panel->ContentHeight());
    const int grids_top = half.panel->geometry().bottom() + 10;
    const int grid_width = (inner - kGridGap) / 2;
    const int grid_height = height() - grids_top - kMargin + 4;
    half.kills->setGeometry(left, grids_top, grid_width, grid_height);
    half.deaths->setGeometry(left + grid_width + kGridGap, grids_top, grid_width, grid_height);
  }
}

void OneOnOneWindow::CentreOn(const QRect& area) {
  move(area.center() - rect().center());
}

void OneOnOneWindow::done(int result) {
  QDialog::done(result);
  emit closed();
}

void OneOnOneWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
  // The two sides apart: a line down the middle in the teams' colours.
  QPainter painter(this);
  const int middle = width() / 2;
  painter.fillRect(middle, kPanelTop, 1, (height() - kPanelTop) / 2, colours::kBlueTeam);
  painter.fillRect(middle, kPanelTop + (height() - kPanelTop) / 2, 1,
                   (height() - kPanelTop) / 2 - 8, colours::kRedTeam);
}

}  // namespace mrv::ui
