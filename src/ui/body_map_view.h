// The stats viewer's body map: the hits grid drawn on the body (views/body_map.h) in
// the pixels of the screen the widget is on, and drawn again when that screen's density
// changes: at 1x on ordinary screens, at 2x from 2 on, and at 2x scaled down smoothly in
// between.
#pragma once

#include <QImage>
#include <QWidget>

#include "views/grids.h"

namespace mrv::ui {

class BodyMapView : public QWidget {
  Q_OBJECT

 public:
  explicit BodyMapView(QWidget* parent);

  void Show(const Grid& hits_grid);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Grid hits_grid_;
  QImage picture_;  // drawn for its own device pixel ratio; null until painted
};

}  // namespace mrv::ui
