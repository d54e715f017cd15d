#include "ui/body_map_view.h"

#include <QPainter>
#include <cmath>

#include "ui/window_art.h"
#include "views/body_map.h"

namespace mrv::ui {

BodyMapView::BodyMapView(QWidget* parent) : QWidget(parent) {
  setFixedSize(kBodyMapWidth, kViewerBodyMapHeight);
  setAccessibleName(QStringLiteral("Hits on the body"));
}

void BodyMapView::Show(const Grid& hits_grid) {
  hits_grid_ = hits_grid;
  picture_ = QImage();
  update();
}

void BodyMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const qreal ratio = PaintRatio(painter);
  if (picture_.isNull() || picture_.devicePixelRatio() != ratio) {
    const int scale = ratio > 1 ? 2 : 1;
    picture_ = BodyMapSurface(kViewerBodyMapHeight, scale);
    DrawHitMap(picture_, hits_grid_);
    if (ratio != scale) {
      picture_ = picture_.scaled(static_cast<int>(std::lround(kBodyMapWidth * ratio)),
                                 static_cast<int>(std::lround(kViewerBodyMapHeight * ratio)),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      picture_.setDevicePixelRatio(ratio);
    }
  }
  painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace mrv::ui
