// The small pictures the viewer's widgets share: the four team flags (the player list's
// rows, the legend, the icons of the overall table and the weapon details) and the sort
// arrows of the lists' column headers. The icons hold both drawings of each picture, so
// that Qt draws the one that suits the screen.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "views/list_sort.h"
#include "views/team_mark.h"

namespace mrv::ui {

// 20 x 20, with transparent corners, drawn for a screen of `ratio` physical pixels per
// pixel (the finer drawing above 1).
QPixmap FlagPixmap(TeamMark mark, qreal ratio);
QIcon TeamIcon(TeamMark mark);
// Image 1 (up), image 2 (down), or no picture.
QIcon SortArrowPicture(SortArrow arrow);

}  // namespace mrv::ui
