#include "model/stats_store.h"

#include <gtest/gtest.h>

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

TEST(StatsStoreTest, GrowingKeepsEveryCountInPlace) {
  StatsStore db(3);
  MapRecord& map = NewMap(db, "m");
  ASSERT_TRUE(AddNick(map, "A", 1));
  ASSERT_TRUE(AddNick(map, "B", 2));
  auto each = [&](auto visit) {
    int value = 1;
    for (int k = 0; k < 2; ++k)
      for (int w = 0; w < 3; ++w)
        for (int v = 0; v < 2; ++v) visit(map.kills(k, w, v), value++);
  };
  each([](std::int32_t& count, int value) { count = value; });
  ASSERT_TRUE(AddNickKeepingRoom(map, "C", 0));
  each([](std::int32_t& count, int value) { EXPECT_EQ(count, value); });
  EXPECT_GT(map.kill_slots(), 3u);  // room kept for the next nicknames
  CompactKillTable(map);
  EXPECT_EQ(map.kill_table.size(), 27u);
  each([](std::int32_t& count, int value) { EXPECT_EQ(count, value); });
  for (int w = 0; w < 3; ++w) EXPECT_EQ(map.kills(2, w, 0) + map.kills(0, w, 2), 0);
  EXPECT_EQ(map.teams, (std::vector<std::uint8_t>{1, 2, 0}));
  EXPECT_EQ(map.ft.size(), 3u);
  // The room kept in the per-nickname lists goes back with the table's.
  EXPECT_EQ(map.nicks.capacity(), 3u);
  EXPECT_EQ(map.ft.capacity(), 3u);
}

TEST(StatsStoreTest, KillsOfLeavesOutSuicidesAndTheMapHasALimit) {
  StatsStore db(2);
  MapRecord& map = NewMap(db, "m");
  AddNick(map, "A", 0);
  AddNick(map, "B", 0);
  map.kills(0, 0, 1) = 2;
  map.kills(0, 1, 1) = 1;
  map.kills(0, 1, 0) = 5;
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
