// OneOnOneWindow, the one-on-one window ("1 on 1", 866 x 323): two players side by side, each
// half with his nickname, his seven lines and his kills and deaths grids with their
// details buttons. A borderless tool window over the stats viewer, created hidden with
// it and filled by the compare action; it shows what the viewer's document holds.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>

#include "views/stats_viewer.h"

namespace mrv::ui {

class PlayerPanelView;
class WeaponGridPanel;

class OneOnOneWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{866, 323};

  explicit OneOnOneWindow(QWidget* viewer);

  void Show(const std::array<OneOnOneSide, 2>& sides);
  // Centred on `area` (the main window's place, for the viewer).
  void CentreOn(const QRect& area);
  void done(int result) override;

 signals:
  // Side 0 is the left one.
  void detailsClicked(int side, bool kills);
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Half {
    PlayerPanelView* panel;
    WeaponGridPanel* kills;
    WeaponGridPanel* deaths;
  };

  QPixmap background_;
  std::array<Half, 2> halves_;
};

}  // namespace mrv::ui
