// The monitor dialog's "Live figures:" box, in the place of the "Monitor:" box while a
// capture runs: the map being played, the player's nickname once the game named it, and
// his kills, deaths and hits given on this map, as the run last reported them.
#pragma once

#include <QGroupBox>

#include "capture/live_figures.h"

class QLabel;

namespace mrv::ui {

class LiveFiguresBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit LiveFiguresBox(QWidget* parent);

  void Show(const mrv::LiveFigures& figures);

 private:
  QLabel* map_;
  QLabel* nickname_;
  QLabel* figures_;
};

}  // namespace mrv::ui
