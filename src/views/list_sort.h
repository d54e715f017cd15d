// Sorting of the overall table and the weapon details list: column headers with a sort
// state and an arrow, and the selection sort their column clicks run.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mrv {

enum class SortArrow { kNone, kUp, kDown };  // no arrow, image 1, image 2

struct ListColumn {
  std::string caption;
  int width = 0;  // pixels
  int state = 0;  // 0 or 1
  SortArrow arrow = SortArrow::kNone;
};

// A click on column c: every other column goes back to state 0 without an arrow.
void ResetOtherColumns(std::vector<ListColumn>& columns, int c);
// Ends a click on a column: state 0 becomes 1 with the up arrow, 1 becomes 0 with the
// down arrow.
void ToggleColumn(ListColumn& column);

// The arrangement a selection sort of the rows by these keys leaves: for each position
// from the top, the row with the largest key (or the smallest) among the rows from
// there down is exchanged into it, the one nearest the top winning among equal keys.
// Element i of the result is the index of the row that ends at position i. Exchanges
// move rows past equal keys, so this is not a stable sort; the result is computed in
// n log n steps, not by the n^2 scans.
std::vector<int> SelectionSortOrder(std::span<const std::int64_t> keys, bool largest_first);

}  // namespace mrv
