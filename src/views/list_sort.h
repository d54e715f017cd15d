// Sorting of the overall table and the weapon details list: column headers that show
// which column the rows are sorted by and which way, and the selection sort their
// column clicks run.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mrv {

// The way the rows of the sorted column run: kUp (image 1) ascending, A or the smallest
// figure at the top; kDown (image 2) descending. Every other column shows no arrow.
enum class SortArrow { kNone, kUp, kDown };

struct ListColumn {
  std::string caption;
  int width = 0;  // pixels
  SortArrow arrow = SortArrow::kNone;
};

// The column the rows are sorted by, or -1.
int SortedColumn(const std::vector<ListColumn>& columns);

// A click on column c chooses the order of the rows: the reverse of the present one when
// they are already sorted by c, otherwise the column's first order (`first_ascending`:
// A to Z for names, largest first for figures). Column c then shows the arrow of that
// order and every other column none. True for ascending.
bool ClickOrder(std::vector<ListColumn>& columns, int c, bool first_ascending);

// The arrangement a selection sort of the rows by these keys leaves: for each position
// from the top, the row with the largest key (or the smallest) among the rows from
// there down is exchanged into it, the one nearest the top winning among equal keys.
// Element i of the result is the index of the row that ends at position i. Exchanges
// move rows past equal keys, so this is not a stable sort; the result is computed in
// n log n steps, not by the n^2 scans.
std::vector<int> SelectionSortOrder(std::span<const std::int64_t> keys, bool largest_first);

}  // namespace mrv
