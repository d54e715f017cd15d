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

  // Rebuilds the columns and the rows, then sorts them as the player last chose: by the
  // column of the same caption, the same way round, or by name, A to Z, when this fill
  // has no such column. In kills mode the player has no row of his own; in deaths mode
  // his suicides give him one. Players with a total of 0 get no row.
  void Fill(const DetailsSource& source);
  // "Nicknames" sorts by name (A to Z first); the others by the cell's count, the largest
  // first. A second click on the same column turns the order round.
  void ClickColumn(int column);
  // Selects the row of exactly this nickname, or none; the selection follows its row.
  void SelectNickname(const std::string& nick);

 private:
  std::vector<ListColumn> columns_{{"Nicknames", 160}};
  // Rows in name order first, so that equal counts always leave the same order.
  void Sort(int column, bool ascending);

  std::vector<DetailsRow> rows_;
  std::string selected_nickname_;
  int selected_row_ = -1;
};

}  // namespace mrv
