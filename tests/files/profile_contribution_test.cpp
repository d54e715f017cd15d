#include <gtest/gtest.h>

#include <limits>

#include "files/profile_add_game.h"
#include "files/profile_test_support.h"
#include "model/text.h"
#include "support/fakes.h"

namespace mrv {
namespace {

using test::kTestWeapons;

// Alice, JOE and Bob; the own player is Joe, written in another case.
MapRecord& AddPlayedMap(StatsStore& store, const std::string& name) {
  MapRecord& map = NewMap(store, name);
  map.own_nick = "joe", map.duration = 300;
  for (const char* nick : {"Alice", "JOE", "Bob"}) AddNick(map, nick, 0);
  map.SetKills(1, 0, 0, 2);  // Joe kills Alice
  map.SetKills(1, 2, 2, 1);  // Joe kills Bob
  map.SetKills(1, 1, 1, 1);  // Joe's suicide: a death, no kill
  map.SetKills(0, 0, 1, 1);  // Alice kills Joe
  map.SetKills(2, 2, 1, 2);  // Bob kills Joe
  map.SetKills(0, 1, 2, 5);  // between others: not Joe's
  map.caps = {9, 1, 9}, map.rets = {9, 2, 9};
  map.carrier_kills = {9, 3, 9}, map.flags_taken = {9, 4, 9};
  map.hits[0] = 3, map.hits_taken[1] = 2, map.killing_hits[2] = 1, map.last_hits_taken[3] = 4;
  return map;
}

// clang-format off
const StatsRecord kJoe = {.hits = {3}, .hits_taken = {0, 2}, .killing_hits = {0, 0, 1},
                           .last_hits_taken = {0, 0, 0, 4}, .kills = {2, 0, 1},
                           .deaths = {1, 1, 2}, .caps = 1, .rets = 2, .carrier_kills = 3, .flags_taken = 4,
                           .time = 300};
// clang-format on

TEST(ProfileContributionTest, CountsTheOwnPlayersFiguresOfTimedMaps) {
  StatsStore store(kTestWeapons);
  MapRecord& map = AddPlayedMap(store, "ut4_casa");
  StatsRecord summary = NewStatsRecord(kTestWeapons);
  ASSERT_TRUE(AddMapContribution(map, summary));
  EXPECT_EQ(summary, kJoe);
  for (auto [own, duration] : {std::pair{AbsentMark, 300}, {"Joe", 0}, {"Joe", -5}}) {
    map.own_nick = own;
    map.duration = duration;
    EXPECT_FALSE(AddMapContribution(map, summary));
  }
  EXPECT_EQ(summary, kJoe);
  map.own_nick = "Joe";
  map.duration = 300;
  summary.time = std::numeric_limits<std::int32_t>::max() - 10;
  ASSERT_TRUE(AddMapContribution(map, summary));
  EXPECT_EQ(summary.time, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(summary.kills[0], 4);
}

TEST(ProfileContributionTest, AddsTheTimedMapsOfAGameToTheOpenProfile) {
  test::ScratchDir dir("profile-add-game");
  ProfileStore profile_store(dir.path(), kTestWeapons);
  ASSERT_TRUE(profile_store.CreateProfileFile("joe.mrv", "Joe", {}));
  ASSERT_TRUE(profile_store.Open("joe.mrv"));
  test::FakePrompt prompt;
  auto told = [&](std::size_t i) { return prompt.shown.at(i).title + "|" + prompt.shown[i].text; };

  StatsStore store(kTestWeapons);
  EXPECT_FALSE(AddGameToProfile(store, "g", profile_store, prompt));
  EXPECT_EQ(told(0), "!|\r\nNothing to be added!");

  NewMap(store, "<map1>").duration = 100;  // own nickname never learnt
  AddPlayedMap(store, "ut4_casa");
  AddPlayedMap(store, "ut4_turnpike").duration = 0;
  prompt.shown.clear();
  ASSERT_TRUE(AddGameToProfile(store, "2024-06-01 18:00", profile_store, prompt));
  ASSERT_EQ(prompt.shown.size(), 3u);
  EXPECT_EQ(
      told(0),
      "!|The map <map1> won't be added!\r\n\r\nOnly maps with time information can be added!");
  EXPECT_EQ(prompt.shown[1].text.substr(0, 30), "The map ut4_turnpike won't be ");
  EXPECT_EQ(told(2), "Game added|\r\nGame at 2024-06-01 18:00 added successfully!");
  StatsRecord game;
  ASSERT_TRUE(profile_store.ReadGames(std::vector<std::int32_t>{1}, game));
  EXPECT_EQ(game, kJoe);

  // Nothing counted: only the skipped map is told and the profile stays as it was.
  const std::string before = test::ReadFileBytes(dir / "joe.mrv");
  StatsStore untimed(kTestWeapons);
  NewMap(untimed, "<map1>");
  prompt.shown.clear();
  EXPECT_FALSE(AddGameToProfile(untimed, "h", profile_store, prompt));
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_FALSE(AddGameToProfile(store, "a=b", profile_store, prompt));
  EXPECT_EQ(told(prompt.shown.size() - 1), "ERROR!|\r\nCould not add game!");
  EXPECT_EQ(test::ReadFileBytes(dir / "joe.mrv"), before);

  // Unreadable totals stop before any map is looked at.
  test::WriteFileBytes(dir / "joe.mrv", test::Edited(before, "TIME=", "TIME=x"));
  prompt.shown.clear();
  EXPECT_FALSE(AddGameToProfile(store, "i", profile_store, prompt));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(told(0), "ERROR!|\r\nCould not add game!");
}

}  // namespace
}  // namespace mrv
