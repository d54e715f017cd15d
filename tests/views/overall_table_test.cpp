#include "views/overall_table.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

MergedPlayer Player(std::string nick, std::int64_t kills, std::int64_t deaths,
                    std::int64_t caps = 0, std::int64_t flags_taken = 0) {
  MergedPlayer player{std::move(nick), 2, {{kills, 0}, {deaths, 0}}};
  player.stats.caps = caps;
  player.stats.flags_taken = flags_taken;
  return player;
}

std::vector<std::string> Order(const OverallTable& table) {
  std::vector<std::string> nicks;
  for (const auto& row : table.rows()) nicks.push_back(row.nickname);
  return nicks;
}

const std::vector<MergedPlayer> kPlayers = {Player("zed", 0, 0),        Player("Dan", 2, 3),
                                            Player("Bob", 5, 0),        Player("carl", 3, 2),
                                            Player("Ace", 12, 3, 1, 3), Player("Eve", 5, 2)};

TEST(OverallTableTest, RefillsKeepTheChosenOrderAndTheArrowPointsItsWay) {
  const std::vector<std::string> a_to_z = {"Ace", "Bob", "carl", "Dan", "Eve", "zed"};
  const std::vector<std::string> z_to_a(a_to_z.rbegin(), a_to_z.rend());
  OverallTable table;
  table.Fill(kPlayers);  // nothing chosen yet: by name, A to Z, ignoring case
  EXPECT_EQ(Order(table), a_to_z);
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kUp);
  table.Fill(kPlayers);  // every map click refills: the order stays
  EXPECT_EQ(Order(table), a_to_z);
  table.ClickColumn(0);
  table.Fill(kPlayers);
  EXPECT_EQ(Order(table), z_to_a);
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kDown);

  // K/D ratio, largest first: "perfect" with kills above every ratio, without kills 0.
  const std::vector<std::string> best_first = {"Bob", "Ace", "Eve", "carl", "Dan", "zed"};
  table.ClickColumn(3);
  EXPECT_EQ(Order(table), best_first);
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kDown);
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kNone);
  table.Fill(kPlayers);
  table.Fill(kPlayers);
  EXPECT_EQ(Order(table), best_first);
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kDown);
  table.ClickColumn(3);  // the second click: smallest first
  table.Fill(kPlayers);
  EXPECT_EQ(Order(table), (std::vector<std::string>{"zed", "Dan", "carl", "Eve", "Ace", "Bob"}));
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kUp);

  // Kills: Bob and Eve both have 5; fewer deaths first. A refill with new figures
  // sorts them by the same column.
  table.ClickColumn(1);
  EXPECT_EQ(Order(table), (std::vector<std::string>{"Ace", "Bob", "Eve", "carl", "Dan", "zed"}));
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kNone);
  table.Fill({Player("zed", 20, 0), Player("Ace", 1, 0)});
  EXPECT_EQ(Order(table), (std::vector<std::string>{"zed", "Ace"}));
}

}  // namespace
}  // namespace mrv
