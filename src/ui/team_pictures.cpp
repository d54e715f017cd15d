#include "ui/team_pictures.h"

#include "ui/window_art.h"
#include "views/report_pictures.h"

namespace mrv::ui {

namespace {

QIcon BothDrawings(const ArtPicture& picture) {
  QIcon icon;
  icon.addPixmap(picture.For(1));
  icon.addPixmap(picture.For(2));
  return icon;
}

}  // namespace

QPixmap FlagPixmap(TeamMark mark, qreal ratio) {
  return QPixmap::fromImage(FlagPicture(mark, ratio > 1 ? 2 : 1));
}

QIcon TeamIcon(TeamMark mark) {
  return BothDrawings(ArtPicture(FlagPixmap(mark, 1), FlagPixmap(mark, 2)));
}

QIcon SortArrowPicture(SortArrow arrow) {
  switch (arrow) {
    case SortArrow::kUp:
      return BothDrawings(ArtPicture(art::kSortAscending));
    case SortArrow::kDown:
      return BothDrawings(ArtPicture(art::kSortDescending));
    case SortArrow::kNone:
      break;
  }
  return {};
}

}  // namespace mrv::ui
