#include "views/body_map.h"

#include <gtest/gtest.h>

#include "views/report_pictures.h"

namespace mrv {
namespace {

constexpr QRgb kMarker = qRgb(1, 2, 3);
constexpr QRgb kLime = qRgb(0, 255, 0);

// The pixels a fill from `start` reaches, as a picture marked with kMarker.
QImage Region(const QImage& picture, QPoint start) {
  QImage marked = picture.copy();
  FloodFill(marked, start, kMarker);
  return marked;
}

TEST(ReportPicturesTest, AreEmbeddedAndEachBodyAreaIsAClosedRegionAroundItsAnchors) {
  const QImage& body = BodyPicture();
  ASSERT_EQ(body.size(), QSize(kBodyPictureWidth, kBodyPictureHeight));
  for (const TeamMark mark : {TeamMark::kBlue, TeamMark::kRed, TeamMark::kBoth, TeamMark::kNone}) {
    const QImage& flag = FlagPicture(mark);
    ASSERT_EQ(flag.size(), QSize(20, 20));
    EXPECT_EQ(qAlpha(flag.pixel(19, 19)), 0) << FlagPictureName(mark);   // transparent corner
    EXPECT_EQ(qAlpha(flag.pixel(11, 8)), 255) << FlagPictureName(mark);  // the cloth
  }

  for (std::size_t area = 0; area < kBodyAnchors.size(); ++area) {
    const QPoint anchor = kBodyAnchors[area];
    ASSERT_NE(body.pixel(anchor), kBodyPictureBackground) << BodyAreas[area];
    const QImage region = Region(body, anchor);
    // The report fills from the shifted anchor: it must land in the same area.
    EXPECT_EQ(region.pixel(anchor + kReportAnchorShift), kMarker) << BodyAreas[area];
    for (std::size_t other = 0; other < kBodyAnchors.size(); ++other) {
      if (other == area) continue;
      EXPECT_NE(region.pixel(kBodyAnchors[other]), kMarker)
          << BodyAreas[area] << " reaches " << BodyAreas[other];
    }
    for (int x = 0; x < region.width(); ++x) {
      EXPECT_NE(region.pixel(x, 0), kMarker);
      EXPECT_NE(region.pixel(x, region.height() - 1), kMarker);
    }
    for (int y = 0; y < region.height(); ++y) {
      EXPECT_NE(region.pixel(0, y), kMarker);
      EXPECT_NE(region.pixel(region.width() - 1, y), kMarker);
    }
  }
}

// Every pixel of each area's region (taken from the base picture) carries the area's
// red, except where a lime label line crosses it (the waist's crosses the left hand).
void ExpectShades(const QImage& drawn, QPoint shift, const std::array<int, kBodyAreaCount>& reds) {
  const QImage base = BodyMapSurface(drawn.height());
  for (std::size_t area = 0; area < kBodyAnchors.size(); ++area) {
    const QImage region = Region(base, kBodyAnchors[area] + shift);
    int shaded = 0;
    int lime = 0;
    for (int y = 0; y < region.height(); ++y) {
      for (int x = 0; x < region.width(); ++x) {
        if (region.pixel(x, y) != kMarker) continue;
        const QRgb pixel = drawn.pixel(x, y);
        if (pixel == kLime) {
          ++lime;
        } else {
          ASSERT_EQ(pixel, qRgb(reds[area], 0, 0)) << BodyAreas[area] << " at " << x << "," << y;
          ++shaded;
        }
      }
    }
    EXPECT_GT(shaded, 5 * lime) << BodyAreas[area];
  }
}

// Some of the rectangle is written in lime (text is antialiased: nearly lime is enough).
bool HasText(const QImage& image, QRect rect) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qGreen(pixel) > 160 && qRed(pixel) < 60 && qBlue(pixel) < 60) return true;
    }
  }
  return false;
}

TEST(DrawHitMapTest, ShadesTheAreasByTheirRoundedSharesAndLabelsThem) {
  // 200 hits: the head 97.5 % (98, ties to even), the right arm 1.5 % (2), the torso and
  // the right leg 0.5 % each (0).
  LocationTotals counts{};
  counts[0] = 190;  // Head
  counts[2] = 5;    // Helmet
  counts[4] = 3;    // Right Arm
  counts[8] = 1;    // Chest
  counts[17] = 1;   // Right Leg
  Grid grid(kHitsGridRows);
  FillHitsGrid(grid, counts);
  std::array<int, kBodyAreaCount> reds{};
  reds[0] = 255;
  reds[3] = 5;  // 2 / 98 * 255 = 5.2

  QImage viewer = BodyMapSurface(kViewerBodyMapHeight);
  DrawHitMap(viewer, grid);
  ExpectShades(viewer, {}, reds);
  EXPECT_TRUE(HasText(viewer, {0, kViewerBodyMapHeight - 16, 60, 16}));  // "Total: 200"
  EXPECT_TRUE(HasText(viewer, {125, 28, 40, 12}));  // the head's raised label, "98%"

  QImage report = BodyMapSurface(kReportBodyMapHeight);
  ASSERT_EQ(report.size(), QSize(kBodyMapWidth, kReportBodyMapHeight));
  DrawHitMap(report, grid, kReportAnchorShift);
  ExpectShades(report, kReportAnchorShift, reds);
  EXPECT_TRUE(HasText(report, {0, kReportBodyMapHeight - 16, 60, 16}));
}

TEST(DrawHitMapTest, LeavesThePictureAloneWithoutHits) {
  QImage surface = BodyMapSurface(kViewerBodyMapHeight);
  const QImage before = surface.copy();
  Grid grid(kHitsGridRows);
  DrawHitMap(surface, grid);
  grid[0] = {"Head", "not a number"};
  grid[1] = {"Elbow", "4"};
  DrawHitMap(surface, grid);
  EXPECT_EQ(surface, before);
}

}  // namespace
}  // namespace mrv
