#include "ui/team_pictures.h"

#include "ui/window_art.h"
#include "views/report_pictures.h"

namespace mrv::ui {

QPixmap FlagPixmap(TeamMark mark) {
  return QPixmap::fromImage(FlagPicture(mark));
}

QIcon TeamIcon(TeamMark mark) {
  return QIcon(FlagPixmap(mark));
}

QIcon SortArrowPicture(SortArrow arrow) {
  switch (arrow) {
    case SortArrow::kUp:
      return QIcon(QPixmap(art::kSortAscending));
    case SortArrow::kDown:
      return QIcon(QPixmap(art::kSortDescending));
    case SortArrow::kNone:
      break;
  }
  return {};
}

}  // namespace mrv::ui
