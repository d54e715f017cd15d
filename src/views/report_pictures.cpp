#include "views/report_pictures.h"

#include <array>

namespace mrv {

namespace {

constexpr std::array<std::string_view, 4> kFlagNames = {"blueflag", "redflag", "ggrayflag",
                                                        "grayflag"};

// A picture that is missing from the build gives a blank one of the same size, so
// that nothing downstream works on a null image; the views tests catch the omission.
// `width` and `height` are the 1x drawing's.
QImage Load(std::string_view name, int scale, int width, int height, QImage::Format format) {
  QImage image(QString::fromLatin1(":/report/") +
               QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
               (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
  if (image.width() != width * scale || image.height() != height * scale) {
    image = QImage(width * scale, height * scale, format);
    image.fill(format == QImage::Format_ARGB32 ? qRgba(0, 0, 0, 0) : kBodyPictureBackground);
  }
  image.convertTo(format);
  image.setDevicePixelRatio(scale);
  return image;
}

std::size_t ScaleIndex(int scale) {
  return scale == 2 ? 1 : 0;
}

}  // namespace

const QImage& BodyPicture(int scale) {
  static const std::array<QImage, 2> pictures = {
      Load("body", 1, kBodyPictureWidth, kBodyPictureHeight, QImage::Format_RGB32),
      Load("body", 2, kBodyPictureWidth, kBodyPictureHeight, QImage::Format_RGB32)};
  return pictures[ScaleIndex(scale)];
}

const QImage& FlagPicture(TeamMark mark, int scale) {
  static const std::array<std::array<QImage, 4>, 2> flags = [] {
    std::array<std::array<QImage, 4>, 2> loaded;
    for (std::size_t s = 0; s < loaded.size(); ++s) {
      for (std::size_t i = 0; i < loaded[s].size(); ++i) {
        loaded[s][i] = Load(kFlagNames[i], static_cast<int>(s) + 1, 20, 20, QImage::Format_ARGB32);
      }
    }
    return loaded;
  }();
  return flags[ScaleIndex(scale)][static_cast<std::size_t>(mark)];
}

std::string_view FlagPictureName(TeamMark mark) {
  return kFlagNames[static_cast<std::size_t>(mark)];
}

}  // namespace mrv
