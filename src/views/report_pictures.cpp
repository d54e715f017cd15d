#include "views/report_pictures.h"

#include <array>

namespace mrv {

namespace {

constexpr std::array<std::string_view, 4> kFlagNames = {"blueflag", "redflag", "ggrayflag",
                                                        "grayflag"};

// A picture that is missing from the build gives a blank one of the same size, so
// that nothing downstream works on a null image; the views tests catch the omission.
QImage Load(std::string_view name, int width, int height, QImage::Format format) {
  QImage image(QString::fromLatin1(":/report/") +
               QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
               QString::fromLatin1(".png"));
  if (image.width() != width || image.height() != height) {
    image = QImage(width, height, format);
    image.fill(format == QImage::Format_ARGB32 ? qRgba(0, 0, 0, 0) : kBodyPictureBackground);
  }
  return image.convertToFormat(format);
}

}  // namespace

const QImage& BodyPicture() {
  static const QImage picture =
      Load("body", kBodyPictureWidth, kBodyPictureHeight, QImage::Format_RGB32);
  return picture;
}

const QImage& FlagPicture(TeamMark mark) {
  static const std::array<QImage, 4> flags = [] {
    std::array<QImage, 4> loaded;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
      loaded[i] = Load(kFlagNames[i], 20, 20, QImage::Format_ARGB32);
    }
    return loaded;
  }();
  return flags[static_cast<std::size_t>(mark)];
}

std::string_view FlagPictureName(TeamMark mark) {
  return kFlagNames[static_cast<std::size_t>(mark)];
}

}  // namespace mrv
