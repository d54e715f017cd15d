#include "views/viewer_menu.h"

namespace mrv {

ViewerMenu BuildViewerMenu(const MenuMode& mode) {
  ViewerMenu menu;
  if (mode.profile) {
    menu.lines = {
        {" Remove game from profile"}, {" Export to HTML"}, {" Progress"}, {" Close", false, true}};
    return menu;
  }
  const MenuSlot parsed{" parsed game", true};
  if (mode.monitor) {
    menu.lines.push_back({" Save stats to " + mode.last_game + ".stg"});
  } else {
    menu.lines.push_back(parsed);
  }
  menu.lines.push_back({" Export to HTML"});
  if (!mode.monitor) {
    menu.lines.push_back(parsed);
    menu.hint = "only monitored games can be saved and/or added to a player profile";
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
