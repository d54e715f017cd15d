#include "views/grids.h"

#include <algorithm>

#include "views/player_stats.h"

namespace mrv {

int WeaponGridRows(const WeaponTable& weapons) {
  return std::max(weapons.size() - 2, 0);
}

void ClearCells(Grid& grid) {
  std::fill(grid.begin(), grid.end(), GridRow{});
}

std::int64_t FillWeaponGrid(Grid& grid, std::span<const std::int64_t> counts,
                            const WeaponTable& weapons) {
  ClearCells(grid);
  std::vector<std::int64_t> left(counts.begin(), counts.end());
  left.resize(std::min(left.size(), static_cast<std::size_t>(weapons.size())));
  std::int64_t total = 0;
  std::size_t row = 0;
  while (row < grid.size()) {
    // The first of the largest counts; every count at or below 0 is done.
    const auto best = std::max_element(left.begin(), left.end());
    if (best == left.end() || *best <= 0) break;
    const int w = static_cast<int>(best - left.begin());
    if (!IsHiddenWeaponCode(weapons.code(w))) {
      grid[row] = {std::string(weapons.name(w)), std::to_string(*best)};
      total += *best;
      ++row;
    }
    *best = -1;
  }
  if (total > 0 && row + 1 < grid.size()) grid[row + 1] = {"Total", std::to_string(total)};
  return total;
}

void FillHitsGrid(Grid& grid, const LocationTotals& counts) {
  ClearCells(grid);
  LocationTotals left = counts;
  for (std::size_t row = 0; row < grid.size(); ++row) {
    // max_element keeps the first of equal counts, which is the location order.
    const auto best = std::max_element(left.begin(), left.end());
    if (*best <= 0) break;
    const auto location = static_cast<std::size_t>(best - left.begin());
    grid[row] = {std::string(HitLocations[location]), std::to_string(*best)};
    *best = 0;
  }
}

std::vector<std::string> ListedWeapons(const Grid& grid) {
  std::vector<std::string> names;
  for (const GridRow& row : grid) {
    if (row.name.empty()) break;
    names.push_back(row.name);
  }
  return names;
}

}  // namespace mrv
