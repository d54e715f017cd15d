// The window art is embedded in the library (a static library drops resources that
// nothing initialises, and then every window would be drawn without its pictures), and
// it stays sharp on dense screens: every picture has its finer drawing, and the body map
// is drawn in the pixels of the screen it shows on.
#include "ui/window_art.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "ui/body_map_view.h"
#include "views/grids.h"

namespace mrv::ui {
namespace {

// A 1x picture doubled has one colour in each 2 x 2 block; a finer drawing has blocks
// of several.
int BlocksWithDetail(const QImage& image) {
  int blocks = 0;
  for (int y = 0; y + 1 < image.height(); y += 2) {
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb corner = image.pixel(x, y);
      if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
          image.pixel(x + 1, y + 1) != corner) {
        ++blocks;
      }
    }
  }
  return blocks;
}

TEST(WindowArtTest, EveryPictureLoadsWithItsDrawingForDenseScreens) {
  for (const char* path : art::kAll) {
    const ArtPicture picture(path);
    ASSERT_FALSE(picture.isNull()) << path;
    const QPixmap two = picture.For(2);
    EXPECT_EQ(two.size(), picture.size() * 2) << path;
    EXPECT_EQ(two.devicePixelRatio(), 2.0) << path;
    EXPECT_GT(BlocksWithDetail(two.toImage()), 0) << path;
    // Between the two, the finer drawing made smaller, at the same size on the screen.
    EXPECT_EQ(picture.For(1.5).deviceIndependentSize().toSize(), picture.size()) << path;
    EXPECT_EQ(picture.For(1).size(), picture.size()) << path;
  }
}

TEST(WindowArtTest, TheBodyMapIsDrawnInTheScreensPixels) {
  BodyMapView view(nullptr);
  Grid hits(kHitsGridRows);
  hits[0] = {"Left Hand", "2"};
  view.Show(hits);
  QPixmap plain(view.size());
  view.render(&plain);
  QPixmap dense(view.size() * 2);
  dense.setDevicePixelRatio(2);
  view.render(&dense);
  EXPECT_GT(BlocksWithDetail(dense.toImage()), BlocksWithDetail(plain.toImage()) / 4);
  // The same picture: made small again, it is the plain one but for the edges' shades.
  const QImage smaller = dense.toImage().scaled(plain.size(), Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
  int alike = 0;
  const QImage reference = plain.toImage();
  for (int y = 0; y < reference.height(); ++y) {
    for (int x = 0; x < reference.width(); ++x) {
      const QColor a = reference.pixelColor(x, y);
      const QColor b = smaller.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
              std::abs(a.blue() - b.blue()) <
          48) {
        ++alike;
      }
    }
  }
  EXPECT_GT(alike, reference.width() * reference.height() * 9 / 10);
}

}  // namespace
}  // namespace mrv::ui
