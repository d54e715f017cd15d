// The body map: the base picture (report_pictures.h) with each of the 11 body areas
// shaded in red by its share of the hits, a lime label per area and the total.
//
// The viewer draws on a surface of kBodyMapWidth x kViewerBodyMapHeight with the
// anchors as they are. The HTML report draws each of its pictures on a surface of
// kBodyMapWidth x kReportBodyMapHeight, from a grid of its own (FillHitsGrid of the
// section's counts, with kHitsGridRows rows), with kReportAnchorShift:
//   QImage picture = BodyMapSurface(kReportBodyMapHeight);
//   DrawHitMap(picture, section_grid, kReportAnchorShift);
// On a high-density screen the viewer draws at scale 2: a surface of twice the pixels
// (device pixel ratio 2) from the base picture's finer drawing, filled from the anchors
// scaled by 2, with labels as sharp as the screen.
// A QGuiApplication must exist: the labels are text.
#pragma once

#include <QImage>
#include <QPoint>
#include <array>

#include "model/body.h"
#include "views/grids.h"

namespace mrv {

// Both surfaces are as wide as the report's pictures, so that the right-hand labels fit.
inline constexpr int kBodyMapWidth = 177;
inline constexpr int kViewerBodyMapHeight = 250;
inline constexpr int kReportBodyMapHeight = 239;
inline constexpr QPoint kReportAnchorShift{4, -8};

// Where each body area (BodyAreas order) is filled from and its label starts.
inline constexpr std::array<QPoint, kBodyAreaCount> kBodyAnchors = {{
    {85, 60},
    {85, 90},
    {108, 100},
    {64, 100},
    {88, 127},
    {108, 170},
    {66, 170},
    {109, 134},
    {63, 134},
    {110, 207},
    {65, 208},
}};

// A surface of kBodyMapWidth x height holding the top of the base picture; the
// columns beyond the picture carry its background colour. `scale` (1 or 2) multiplies
// its pixels and is its device pixel ratio.
QImage BodyMapSurface(int height, int scale = 1);

// Sums the grid's counts by body area (rows whose name is no hit location, or whose
// count is empty or no number, are skipped). With a positive total: fills each area's
// region from its anchor with red at the area's intensity (the largest share 255, an
// area without hits black), then draws every area's label, then "Total: " and the total
// at the bottom left. With no hits the surface stays as it is.
// All regions are filled before any label is drawn, so that a label line crossing an
// area that comes later in the table cannot cut that area in two. Anchors, labels and
// the total are placed in the surface's device-independent pixels.
void DrawHitMap(QImage& surface, const Grid& hits_grid, QPoint anchor_shift = {});

// Every pixel 4-connected to `start` that has start's exact colour takes `colour`.
void FloodFill(QImage& image, QPoint start, QRgb colour);

}  // namespace mrv
