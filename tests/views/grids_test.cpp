#include "views/grids.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

WeaponTable Weapons(std::initializer_list<const char*> entries) {
  WeaponTable weapons;
  for (const char* entry : entries) weapons.Append(entry);
  return weapons;
}

TEST(WeaponGridTest, ListsLargestFirstWithoutHiddenCodesThenTheTotal) {
  const WeaponTable weapons =
      Weapons({"aKnife", "bBeretta", "\xFDSlap", "cSPAS", "\xFFUnknown", "dLR300", "eG36"});
  Grid grid(static_cast<std::size_t>(WeaponGridRows(weapons)));
  ASSERT_EQ(grid.size(), 5u);
  // The hidden weapons have the largest counts; Beretta and LR300 tie.
  const std::int64_t total =
      FillWeaponGrid(grid, std::vector<std::int64_t>{1, 3, 9, 0, 7, 3, -4}, weapons);
  EXPECT_EQ(total, 7);
  EXPECT_EQ(grid, (Grid{{"Beretta", "3"}, {"LR300", "3"}, {"Knife", "1"}, {}, {"Total", "7"}}));
  EXPECT_EQ(ListedWeapons(grid), (std::vector<std::string>{"Beretta", "LR300", "Knife"}));

  // Refilling clears what was there; nothing positive leaves no total line.
  EXPECT_EQ(FillWeaponGrid(grid, std::vector<std::int64_t>{0, -1, 5, 0, 0, 0, 0}, weapons), 0);
  EXPECT_EQ(grid, Grid(5));
  // Counts all below -1, as a hostile saved game may hold: nothing to list.
  EXPECT_EQ(FillWeaponGrid(grid, std::vector<std::int64_t>(7, -9), weapons), 0);
  EXPECT_EQ(grid, Grid(5));
}

TEST(WeaponGridTest, ALongListKeepsTheGridsRowsAndLosesItsTail) {
  const WeaponTable weapons = Weapons({"aKnife", "bBeretta", "cSPAS", "dLR300"});
  Grid grid(static_cast<std::size_t>(WeaponGridRows(weapons)));
  ASSERT_EQ(grid.size(), 2u);
  EXPECT_EQ(FillWeaponGrid(grid, std::vector<std::int64_t>{4, 3, 2, 1}, weapons), 7);
  EXPECT_EQ(grid, (Grid{{"Knife", "4"}, {"Beretta", "3"}}));
  // Room for the list and the empty row, not for "Total".
  EXPECT_EQ(FillWeaponGrid(grid, std::vector<std::int64_t>{0, 0, 2, 0}, weapons), 2);
  EXPECT_EQ(grid, (Grid{{"SPAS", "2"}, {}}));

  const WeaponTable one = Weapons({"aKnife"});
  Grid none(static_cast<std::size_t>(WeaponGridRows(one)));
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(FillWeaponGrid(none, std::vector<std::int64_t>{5}, one), 0);
}

TEST(HitsGridTest, ListsHitLocationsLargestFirstTiesInTableOrder) {
  Grid grid(kHitsGridRows);
  LocationTotals counts{};
  counts[7] = 2;   // Kevlar Vest
  counts[1] = 2;   // Neck
  counts[20] = 5;  // Left Foot
  counts[3] = -1;  // never listed
  FillHitsGrid(grid, counts);
  EXPECT_EQ(grid[0], (GridRow{"Left Foot", "5"}));
  EXPECT_EQ(grid[1], (GridRow{"Neck", "2"}));
  EXPECT_EQ(grid[2], (GridRow{"Kevlar Vest", "2"}));
  EXPECT_EQ(grid[3], GridRow{});
  FillHitsGrid(grid, LocationTotals{});
  EXPECT_EQ(grid, Grid(kHitsGridRows));
}

}  // namespace
}  // namespace mrv
