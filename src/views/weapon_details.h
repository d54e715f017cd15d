// The weapon details window's model: one player's kills (or deaths) broken down by
// opponent and weapon, one row per opponent and one column per weapon of `weapons`.
// The opener sets the four public fields, then calls Fill with the viewer's selection.
#pragma once

#include <string>
#include <vector>

#include "views/list_sort.h"
#include "views/player_list.h"
#include "views/player_stats.h"

namespace mrv {

struct DetailsRow {
  std::string nickname;
  TeamMark mark = TeamMark::kNone;
  std::vector<std::string> cells;  // "Total", then one count per weapon column
  int image_index() const { return TeamImageIndex(mark); }
};

// What a fill reads of the viewer.
struct DetailsSource {
  const MapSelection& maps;
  const PlayerList& players;
  const WeaponTable& weapons;
};

class WeaponDetails {
 public:
  std::vector<std::string> weapons;  // weapon names, one column each, in this order
  std::string nickname;              // whose kills or deaths are broken down
  bool kills = true;                 // rows are the players he killed, else who killed him
  std::string title;                 // "Kills' details" or "Deaths' details"
  bool visible = false;

  const std::vector<ListColumn>& columns() const { return columns_; }
  const std::vector<DetailsRow>& rows() const { return rows_; }
  // The row the one-on-one window selects; -1 for none.
  int selected_row() const { return selected_row_; }

  // Rebuilds the columns and the rows: the players by name ignoring case, A to Z or Z to A
  // as the "Nicknames" column's state says, then that state turns round. In kills mode
  // the player has no row of his own; in deaths mode his suicides give him one. Players
  // with a total of 0 get no row.
  void Fill(const DetailsSource& source);
  // "Nicknames" refills; the others sort by the cell's count, the largest first.
  void ClickColumn(int column, const DetailsSource& source);
  // Selects the row of exactly this nickname, or none.
  void SelectNickname(const std::string& nick);

 private:
  std::vector<ListColumn> columns_{{"Nicknames", 160}};
  std::vector<DetailsRow> rows_;
  int selected_row_ = -1;
};

}  // namespace mrv
