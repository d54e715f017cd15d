// The viewer's two-column grids: the kills and deaths grids (weapon, count) and the
// hits grid (hit location, count). A grid has a fixed number of rows; the fills write
// into the rows that exist and leave the others empty.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/body.h"
#include "model/weapons.h"

namespace mrv {

struct GridRow {
  std::string name;   // column 0: a weapon or a hit location, or "Total"
  std::string count;  // column 1
  bool operator==(const GridRow&) const = default;
};
using Grid = std::vector<GridRow>;

// The weapon grids have two rows fewer than the weapon table (none below 2 weapons);
// the hits grid one row per hit location.
int WeaponGridRows(const WeaponTable& weapons);
inline constexpr int kHitsGridRows = kHitLocationCount;

void ClearCells(Grid& grid);

// Lists every weapon with a positive count, largest first (the lower index first on a
// tie), leaving out the hidden codes; then, when the total is positive, one empty row
// and "Total" with the total. A list longer than the grid loses its last rows and its
// total line. Returns the total of the listed weapons.
std::int64_t FillWeaponGrid(Grid& grid, std::span<const std::int64_t> counts,
                            const WeaponTable& weapons);

// The 21 counts of a location array, summed over maps or taken from a summary.
using LocationTotals = std::array<std::int64_t, kHitLocationCount>;

// Lists the locations with at least one hit, largest first, ties in location order.
void FillHitsGrid(Grid& grid, const LocationTotals& counts);

// Column 0 from the first row down to the first empty cell: the weapons a details
// window shows.
std::vector<std::string> ListedWeapons(const Grid& grid);

}  // namespace mrv
