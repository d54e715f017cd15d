// OneOnOneWindow, the one-on-one window ("1 on 1", 866 x 323 at its smallest, resizable and
// maximisable: the grids take the room): two players side by side, each half with his
// nickname, his seven lines and his kills and deaths grids with their details buttons. A
// borderless tool window over the stats viewer, created hidden with it and filled by the
// compare action; it shows what the viewer's document holds.
#pragma once

#include <QDialog>
#include <array>

#include "ui/window_art.h"
#include "views/stats_viewer.h"

namespace mrv::ui {

class PlayerPanelView;
class WeaponGridPanel;

class OneOnOneWindow : public QDialog {
  Q_OBJECT

 public:
  // The smallest size, and the size it first opens at.
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
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Half {
    PlayerPanelView* panel;
    WeaponGridPanel* kills;
    WeaponGridPanel* deaths;
  };

  ArtPicture background_;
  std::array<Half, 2> halves_;
};

}  // namespace mrv::ui
