// The stats viewer's menu: seven slots whose captions depend on the viewer's mode. In
// profile mode only four are shown: removing games, the export, the Progress window and
// closing. For a parsed log file the save and add slots are grey, and their captions say
// why. The actions behind the slots are StatsViewer::RunMenuSlot.
#pragma once

#include <string>
#include <vector>

namespace mrv {

inline constexpr int kMenuSlotCount = 7;

struct MenuSlot {
  std::string caption;
  bool grey = false;             // drawn in #808080; its action does nothing
  bool separator_above = false;  // a line at the slot's top
};

struct ViewerMenu {
  std::vector<MenuSlot> lines;  // slot 1 is lines[0]; 7 in game mode, 4 in profile mode
};

struct MenuMode {
  bool profile = false;
  bool monitor = false;
  std::string last_game;
  const std::string* loaded_profile = nullptr;  // its file name, when a profile is loaded
};
ViewerMenu BuildViewerMenu(const MenuMode& mode);

}  // namespace mrv
