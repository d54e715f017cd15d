#include "views/overall_table.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

MergedPlayer Player(std::string nick, std::int64_t kills, std::int64_t deaths,
                    std::int64_t caps = 0, std::int64_t ft = 0) {
  MergedPlayer player{std::move(nick), 2, {{kills, 0}, {deaths, 0}}};
  player.stats.caps = caps;
  player.stats.ft = ft;
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

TEST(OverallTableTest, ColumnClicksToggleAndEveryFillTurnsTheLastSortRound) {
  OverallTable table;
  table.Fill(kPlayers);  // no column sorted yet: by name, A to Z, ignoring case
  EXPECT_EQ(Order(table), (std::vector<std::string>{"Ace", "Bob", "carl", "Dan", "Eve", "zed"}));
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kUp);
  table.Fill(kPlayers);
  EXPECT_EQ(Order(table), (std::vector<std::string>{"zed", "Eve", "Dan", "carl", "Bob", "Ace"}));
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kDown);

  // K/D ratio, largest first: "perfect" with kills above every ratio, without kills 0.
  table.ClickColumn(3);
  EXPECT_EQ(Order(table), (std::vector<std::string>{"Bob", "Ace", "Eve", "carl", "Dan", "zed"}));
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kUp);
  EXPECT_EQ(table.columns()[0].arrow, SortArrow::kNone);
  table.Fill(kPlayers);  // the refresh's re-sort clicks it again: smallest first
  EXPECT_EQ(Order(table), (std::vector<std::string>{"zed", "Dan", "carl", "Eve", "Ace", "Bob"}));
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kDown);

  // Kills: Bob and Eve both have 5; fewer deaths first.
  table.ClickColumn(1);
  EXPECT_EQ(Order(table), (std::vector<std::string>{"Ace", "Bob", "Eve", "carl", "Dan", "zed"}));
  EXPECT_EQ(table.columns()[3].arrow, SortArrow::kNone);
}

}  // namespace
}  // namespace mrv
