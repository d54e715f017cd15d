// The viewer's lists of rows: PlayerList (the players of the selected maps), MapList
// ("all maps" and the maps) and, in profile mode, the games list ("<all games>" and the
// profile's games). The secondary windows and the HTML report read them.
#pragma once

#include <string>
#include <vector>

#include "views/team_mark.h"

namespace mrv {

struct PlayerEntry {
  std::string nickname;  // as first met on the selected maps
  TeamMark mark = TeamMark::kNone;
  bool selected = false;
};
using PlayerList = std::vector<PlayerEntry>;

// A row of the map list or the games list.
struct ListEntry {
  std::string caption;
  bool selected = false;
};

}  // namespace mrv
