// The pictures the stats viewer and the HTML report both show, compiled into this
// library (resources/report_pictures/ holds them and the script that draws them):
//   - the body map's base picture, 173 x 271, on the report's page colour #080808;
//   - the four flag icons, 20 x 20 with transparent corners. The viewer shows them as
//     they are; the report writes them as Windows bitmaps, which keep no transparency,
//     so it lays them on its cell colour first (QImage::fill, then QPainter::drawImage).
// Each has a drawing at twice the detail (scale 2: twice the pixels, device pixel ratio
// 2) for the viewer on high-density screens; the report uses scale 1.
// Each picture is loaded once, on first use, and kept for the life of the process.
#pragma once

#include <QImage>
#include <string_view>

#include "views/team_mark.h"

namespace mrv {

inline constexpr int kBodyPictureWidth = 173;
inline constexpr int kBodyPictureHeight = 271;
// The colour around the figure.
inline constexpr QRgb kBodyPictureBackground = qRgb(8, 8, 8);

// `scale` is 1 or 2.
const QImage& BodyPicture(int scale = 1);
const QImage& FlagPicture(TeamMark mark, int scale = 1);
// "blueflag", "redflag", "ggrayflag" (both teams), "grayflag" (no team): the names the
// report gives the pictures' files.
std::string_view FlagPictureName(TeamMark mark);

}  // namespace mrv
