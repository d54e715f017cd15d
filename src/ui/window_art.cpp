#include "ui/window_art.h"

#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <cmath>

namespace mrv::ui {

ArtPicture::ArtPicture(const char* path) : one_(QString::fromLatin1(path)) {
  QString finer = QString::fromLatin1(path);
  finer.insert(finer.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
  // The reader sets the device pixel ratio of an "@2x" file to 2.
  two_ = QPixmap(finer);
}

ArtPicture::ArtPicture(QPixmap one, QPixmap two) : one_(std::move(one)), two_(std::move(two)) {
  if (!two_.isNull()) two_.setDevicePixelRatio(2);
}

QPixmap ArtPicture::For(qreal ratio) const {
  if (ratio <= 1 || two_.isNull()) return one_;
  if (ratio >= 2) return two_;
  if (!between_.isNull() && between_.devicePixelRatio() == ratio) return between_;
  const QSize pixels(static_cast<int>(std::lround(one_.width() * ratio)),
                     static_cast<int>(std::lround(one_.height() * ratio)));
  between_ = two_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  between_.setDevicePixelRatio(ratio);
  return between_;
}

qreal PaintRatio(const QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  const QPaintDevice* device = engine != nullptr ? engine->paintDevice() : painter.device();
  return device != nullptr ? device->devicePixelRatioF() : 1;
}

}  // namespace mrv::ui
