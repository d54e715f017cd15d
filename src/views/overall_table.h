// The overall table's model: every player of the viewer's selected maps in one
// sortable table, refilled by every refresh of the viewer. The HTML report reads its
// column captions and, per row, the caption (the nickname), the sub-item texts (the
// cells of columns 1 to 8) and the image index.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "views/list_sort.h"
#include "views/player_stats.h"
#include "views/team_mark.h"

namespace mrv {

inline constexpr int kOverallColumnCount = 9;

struct OverallRow {
  std::string nickname;
  TeamMark mark = TeamMark::kNone;
  // Kills, Deaths, K/D ratio, Flags Taken, Flags Captured, Att. Eff., Flags Returned,
  // Flag Carriers Killed.
  std::array<std::string, kOverallColumnCount - 1> cells;
  int image_index() const { return TeamImageIndex(mark); }
};

// A player's row: kills and deaths over every weapon, hidden ones included.
OverallRow MakeOverallRow(const MergedPlayer& player);

class OverallTable {
 public:
  OverallTable();

  const std::vector<ListColumn>& columns() const { return columns_; }
  const std::vector<OverallRow>& rows() const { return rows_; }

  // The fill: one row per player, then sorted as the player last chose (by name, A to
  // Z, before any choice). A refill never changes the order's column or direction.
  void Fill(const std::vector<MergedPlayer>& players);
  // "Nickname" sorts by name (A to Z first); the others by the cell's number, the
  // largest first, with ties broken by a second figure of the row. A second click on
  // the same column turns the order round.
  void ClickColumn(int column);

  // Shown by the menu's " Overall stats", hidden by its close button.
  bool visible = false;

 private:
  // Rows in name order first, so that equal keys always leave the same order.
  void Sort(int column, bool ascending);
  void SortByNickname(bool ascending);
  void SortByKey(int column, bool largest_first);

  std::vector<ListColumn> columns_;
  std::vector<OverallRow> rows_;
};

}  // namespace mrv
