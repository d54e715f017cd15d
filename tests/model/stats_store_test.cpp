#include "model/stats_store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "model/text.h"
#include "model/weapons.h"

namespace mrv {
namespace {

TEST(StatsStoreTest, NewMapsInheritTheOwnNicknameAndLookupsIgnoreCase) {
  StatsStore db(3);
  MapRecord& first = NewMap(db, "<map1>");
  EXPECT_EQ(first.own_nick, AbsentMark);
  first.own_nick = "Me";
  MapRecord& map = NewMap(db, "<map2>");
  EXPECT_EQ(map.own_nick, "Me");
  EXPECT_EQ(map.weapon_count, 3);

  EXPECT_EQ(FindOrAddNick(map, "Player", 0), 0);
  EXPECT_EQ(NickIndex(map, "PLAYER"), 0);
  EXPECT_EQ(FindOrAddNick(map, "PLAYER", 2), 0);
  EXPECT_EQ(FindOrAddNick(map, "player", 0), 0);
  EXPECT_EQ(map.teams[0], 2);  // team 0 never overwrites
  AddNick(map, "PLAYER", 0);   // AddNick itself does not look
  EXPECT_EQ(map.nick_count(), 2);
  EXPECT_EQ(NickIndex(map, "nobody"), -1);

  DeleteMap(db, 0);
  EXPECT_EQ(db[0].name, "<map2>");
  ClearMaps(db);
  EXPECT_TRUE(db.empty());
}

// Kills met in any order keep their counts, before and after the map is compacted,
// and a kill after compacting still finds its place.
TEST(StatsStoreTest, KillsKeepTheirCountsInAnyOrder) {
  StatsStore db(3);
  MapRecord& map = NewMap(db, "m");
  for (const char* nick : {"A", "B", "C"}) ASSERT_TRUE(AddNickKeepingRoom(map, nick, 1));
  const std::vector<std::array<int, 3>> kills = {{2, 1, 0}, {0, 2, 1}, {1, 0, 2}, {0, 0, 0},
                                                 {2, 1, 0}, {2, 2, 2}, {2, 1, 0}};
  for (const auto& [k, w, v] : kills) ASSERT_TRUE(map.AddKill(k, w, v));
  ASSERT_TRUE(map.SetKills(1, 1, 1, INT32_MAX));
  ASSERT_TRUE(map.AddKill(1, 1, 1));
  const auto expect_counts = [&] {
    EXPECT_EQ(map.kills(2, 1, 0), 3);
    EXPECT_EQ(map.kills(0, 2, 1), 1);
    EXPECT_EQ(map.kills(0, 0, 0), 1);
    EXPECT_EQ(map.kills(1, 1, 1), INT32_MAX);  // saturated
    EXPECT_EQ(map.kills(0, 1, 2), 0);
  };
  expect_counts();
  EXPECT_GT(map.nicks.capacity(), 3u);  // room kept for the next nicknames
  CompactMap(map);
  expect_counts();
  ASSERT_EQ(map.kill_table().cells().size(), 6u);
  EXPECT_EQ(map.kill_table().bytes(), 6 * sizeof(KillTable::Cell));
  EXPECT_EQ(map.nicks.capacity(), 3u);
  EXPECT_EQ(map.flags_taken.capacity(), 3u);
  ASSERT_TRUE(map.AddKill(0, 0, 1));
  EXPECT_EQ(map.kills(0, 0, 1), 1);
  expect_counts();
}

// A crowded map costs its nicknames and the kills it saw, not every pair of players
// with every weapon; kills beyond the budget are refused, and deleting gives all back.
TEST(StatsStoreTest, TheBudgetCountsWhatHappened) {
  StatsStore db(39, std::size_t{1} << 20);
  MapRecord& map = NewMap(db, "crowded");
  for (int i = 0; i < kMaxNicksPerMap; ++i) ASSERT_TRUE(AddNick(map, "n" + std::to_string(i), 0));
  EXPECT_LT(db.budget->used(), std::size_t{64} << 10);
  int counted = 0;
  for (int k = 0; k < kMaxNicksPerMap && !db.full(); ++k) {
    for (int w = 0; w < 39 && !db.full(); ++w) {
      for (int v = 0; v < kMaxNicksPerMap && map.AddKill(k, w, v); ++v) ++counted;
    }
  }
  EXPECT_TRUE(db.full());
  EXPECT_GT(counted, 30000);
  EXPECT_LE(db.budget->used(), std::size_t{1} << 20);
  EXPECT_EQ(static_cast<int>(map.kill_table().cells().size()), counted);
  DeleteMap(db, 0);
  EXPECT_EQ(db.budget->used(), 0u);
  EXPECT_FALSE(db.full());
}

TEST(StatsStoreTest, KillsOfLeavesOutSuicidesAndTheMapHasALimit) {
  StatsStore db(2);
  MapRecord& map = NewMap(db, "m");
  AddNick(map, "A", 0);
  AddNick(map, "B", 0);
  map.SetKills(0, 0, 1, 2);
  map.SetKills(0, 1, 1, 1);
  map.SetKills(0, 1, 0, 5);
  EXPECT_EQ(KillsOf(map, 0), 3);
  for (int i = 2; i < kMaxNicksPerMap; ++i) ASSERT_TRUE(AddNick(map, "n" + std::to_string(i), 0));
  EXPECT_FALSE(AddNick(map, "one too many", 0));
  EXPECT_EQ(FindOrAddNick(map, "one too many", 0), -1);
  EXPECT_EQ(FindOrAddNick(map, "A", 0), 0);
}

TEST(WeaponsTest, LookupsByCodeAndName) {
  WeaponTable table;
  EXPECT_EQ(table.FindWeaponByCode('a'), -1);
  EXPECT_EQ(table.FindWeaponByName("Knife"), -1);
  for (const char* entry : {"aKnife", "AKnife2", "aDuplicate"}) table.Append(entry);
  EXPECT_EQ(table.FindWeaponByCode('a'), 0);
  EXPECT_EQ(table.FindWeaponByCode('A'), 1);
  EXPECT_EQ(table.FindWeaponByName("Knife2"), 1);
  EXPECT_EQ(table.FindWeaponByName("knife"), -1);
}

}  // namespace
}  // namespace mrv
