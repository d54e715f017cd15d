#include "files/saved_game.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/text.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

// The example game: one map, PlayerA and PlayerB, two weapons.
StatsStore ExampleGame() {
  StatsStore store(2);
  MapRecord& map = NewMap(store, "somemap");
  map.own_nick = "PlayerA";
  map.own_kills = 3, map.own_deaths = 1, map.start_time = 5120, map.duration = 600;
  map.blue_caps = 1, map.red_caps = 2, map.blue_rets = 3, map.red_rets = 4;
  map.blue_flags_taken = 5, map.red_flags_taken = 6;
  map.blue_carrier_kills = 7, map.red_carrier_kills = 8;
  map.hits[2] = 2, map.hits[7] = 1, map.hits_taken[0] = 1, map.hits_taken[20] = 4;
  map.killing_hits[20] = 9, map.last_hits_taken[0] = 2147483647;
  AddNick(map, "PlayerA", 1);
  AddNick(map, "PlayerB", 2);
  map.SetKills(0, 0, 1, 2), map.SetKills(0, 1, 1, 1), map.SetKills(1, 0, 0, 1);
  map.caps = {1, 0}, map.rets = {0, 2}, map.flags_taken = {3, 0}, map.carrier_kills = {0, 4};
  return store;
}

TEST(SavedGameTest, WritesTheExampleByteForByte) {
  test::ScratchDir dir("game-golden");
  test::FakePrompt prompt;
  const auto file = GameFilePath(dir.path(), "2004-03-15 21:47");
  EXPECT_EQ(file, dir / "games" / "2004-03-15 21.47.stg");
  ASSERT_TRUE(SaveGame(ExampleGame(), file, "2004-03-15 21:47", prompt));
  EXPECT_EQ(test::ReadFileBytes(file),
            test::ReadFileBytes(test::TestDataDir() / "game_example.stg"));
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
  EXPECT_TRUE(prompt.shown.empty());
  // A name from a loaded file never leads out of the games folder.
  EXPECT_EQ(GameFilePath(dir.path(), "../x/y\\z"), dir / "games" / "...x.y.z.stg");
}

TEST(SavedGameTest, RoundTripKeepsEveryField) {
  StatsStore saved = ExampleGame();
  // A map captured before the own nickname was known, one without nicknames, and one
  // with more nicknames than one list line was once meant to hold (its file streams out
  // in several writes).
  NewMap(saved, "<map2>").own_nick = AbsentMark;
  MapRecord& crowded = NewMap(saved, "ut4_abbey");
  for (int i = 0; i < 130; ++i)
    AddNick(crowded, "n" + std::to_string(i), static_cast<std::uint8_t>(i % 3));
  crowded.SetKills(129, 1, 0, 7);
  crowded.flags_taken[129] = 5;
  test::ScratchDir dir("game-roundtrip");
  test::FakePrompt prompt;
  ASSERT_TRUE(SaveGame(saved, dir / "g.stg", "game: one", prompt));

  StatsStore loaded(2);
  std::string name;
  ASSERT_TRUE(LoadGame(loaded, dir / "g.stg", name, prompt));
  EXPECT_EQ(name, "game: one");
  ASSERT_EQ(loaded.size(), 3);
  // The golden file shows that every field is written; the same text again shows
  // that every field came back.
  const auto text = GameFileText(saved, name);
  ASSERT_TRUE(text);
  EXPECT_EQ(test::ReadFileBytes(dir / "g.stg"), *text);
  EXPECT_EQ(GameFileText(loaded, name), text);
  EXPECT_EQ(loaded[2].nick_count(), 130);
  EXPECT_EQ(loaded[2].kills(129, 1, 0), 7);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST(SavedGameTest, LoadIsStrict) {
  const std::string good = test::ReadFileBytes(test::TestDataDir() / "game_example.stg");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string hits = "0;0;2;0;0;0;0;1;0;0;0;0;0;0;0;0;0;0;0;0;0;";
  std::string many_nicks = good.substr(0, good.find("[ENICKS]"));
  for (int i = 0; i < 100000; ++i) many_nicks += "x\r\n";
  struct Case {
    std::string text;
    int maps;  // maps left in the store; the load fails with a message
  };
  const Case cases[] = {
      {replaced(hits, hits + "0;"), 1},                    // 22 location values
      {replaced(hits, "5;"), 1},                           // 1 location value
      {replaced("\r\n0;1;\r\n", "\r\n0;\r\n"), 1},         // a kill row of too few
      {replaced("1;2;", "1;"), 1},                         // too few teams
      {replaced("1;2;", "1;256;"), 1},                     // no team
      {replaced("600", "-2147483648"), 1},                 // counts are never negative,
      {replaced(hits, "0;0;-2;" + hits.substr(6)), 1},     // nor are hits,
      {replaced("\r\n0;1;\r\n", "\r\n0;-1;\r\n"), 1},      // kills
      {replaced("0;4;\r\n[EMAP]", "0;-4;\r\n[EMAP]"), 1},  // and flag carriers killed
      {replaced("[MAP]", "[map]"), 0},                     // markers are compared exactly
      {good + "\r\n", 1},                                  // even an empty line after the last map
      {replaced("5120", "5120x"), 1},                      // not an integer
      {replaced("600", "2147483648"), 1},                  // beyond 32 bits
      {replaced("1;2;", "1;2;0;"), 1},                     // too many teams
      {good.substr(0, good.find("[ENICKS]") + 10), 1},     // ends right after the list
      {good.substr(0, good.find("PlayerB\r\n")), 1},       // ends inside the nicknames
      {good + "[MAP]\r\nsecond\r\n", 2},
      {std::string("\x00\xFF\r\n\x01\x02\x03", 7), 0},
      {std::string(8 << 20, 'n'), 0},  // one endless line
      {"name\r\n[MAP]\r\n" + std::string(kMaxGameFileLine + 1, 'm') + "\r\n", 0},
      {many_nicks, 1},  // filled up to the limit, then refused
  };
  test::ScratchDir dir("game-strict");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 100));
    test::WriteFileBytes(dir / "bad.stg", c.text);
    StatsStore store(2);
    std::string name;
    test::FakePrompt prompt;
    EXPECT_FALSE(LoadGame(store, dir / "bad.stg", name, prompt));
    EXPECT_EQ(store.size(), c.maps);
    EXPECT_LE(name.size(), kMaxGameFileLine);
    if (c.text == many_nicks && c.maps == 1) {
      EXPECT_EQ(store[0].nick_count(), kMaxNicksPerMap);
    }
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to load file " + (dir / "bad.stg").string());
  }

  // The name alone, or nothing at all, loads nothing and says nothing.
  StatsStore store(2);
  std::string name;
  test::FakePrompt prompt;
  for (const std::string text : {"just a name\r\n", ""}) {
    test::WriteFileBytes(dir / "empty.stg", text);
    EXPECT_FALSE(LoadGame(store, dir / "empty.stg", name, prompt));
  }
  EXPECT_FALSE(LoadGame(store, dir / "missing.stg", name, prompt));
  EXPECT_EQ(store.size(), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Unable to load file " + (dir / "missing.stg").string());
}

TEST(SavedGameTest, RefusesWhatItCouldNotReadBack) {
  test::ScratchDir dir("game-refuse");
  test::FakePrompt prompt;
  StatsStore store = ExampleGame();
  store[0].nicks[1] = "[ENICKS]";
  EXPECT_FALSE(SaveGame(store, dir / "a.stg", "name", prompt));
  EXPECT_FALSE(SaveGame(ExampleGame(), dir / "b.stg", "two\r\nlines", prompt));
  store = ExampleGame();  // a count the reader would refuse
  store[0].SetKills(1, 1, 0, -1);
  EXPECT_FALSE(SaveGame(store, dir / "d.stg", "name", prompt));
  EXPECT_FALSE(SaveGame(ExampleGame(), dir / "no-folder" / "c.stg", "name", prompt));
  ASSERT_EQ(prompt.shown.size(), 4u);
  EXPECT_EQ(prompt.shown[3].text, "Unable to save file " + (dir / "no-folder" / "c.stg").string());
  EXPECT_EQ(prompt.shown[3].kind, "error");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace mrv
