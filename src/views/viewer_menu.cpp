#include "views/viewer_menu.h"

namespace mrv {

ViewerMenu BuildViewerMenu(const MenuMode& mode) {
  ViewerMenu menu;
  if (mode.profile) {
    menu.lines = {
        {" Remove game from profile"}, {" Export to HTML"}, {" Progress"}, {" Close", false, true}};
    return menu;
  }
  // A log has no time information, which saved games and profiles rely on.
  if (mode.monitor) {
    menu.lines.push_back({" Save stats to " + mode.last_game + ".stg"});
  } else {
    menu.lines.push_back({" parsed game: only a monitored game can be saved", true});
  }
  menu.lines.push_back({" Export to HTML"});
  if (!mode.monitor) {
    menu.lines.push_back({" parsed game: only a monitored game can be added to a profile", true});
  } else if (mode.loaded_profile != nullptr) {
    menu.lines.push_back({" Add game to profile " + *mode.loaded_profile});
  } else {
    menu.lines.push_back({" Add game to a profile"});
  }
  menu.lines.push_back({" Points system"});
  menu.lines.push_back({" Overall stats"});
  menu.lines.push_back({" Compare players", false, true});
  menu.lines.push_back({" Close", false, true});
  return menu;
}

}  // namespace mrv
