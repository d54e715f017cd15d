#include <gtest/gtest.h>

#include <algorithm>

#include "files/profile_test_support.h"
#include "files/profiler.h"
#include "support/paths.h"

namespace mrv {
namespace {

using test::kTestWeapons;
using test::LinesOf;
using test::ReadFileBytes;
using test::WriteFileBytes;

const std::string kGameC = "final";

stats_record GameC() {
  stats_record game = NewStatsRecord(kTestWeapons);
  game.hits[2] = 7;
  game.kills = {1, 1, 1};
  game.deaths = {0, 2, 0};
  game.caps = 3;
  game.time = 90;
  return game;
}

// Adds the game the way the viewer does: totals read just before.
bool Add(TProfiler& profiler, const stats_record& game, const std::string& id) {
  stats_record totals;
  return profiler.ReadTotals(totals) && profiler.AddGame(game, totals, id);
}

bool Remove(TProfiler& profiler, std::vector<std::int32_t> numbers, const std::string& first,
            const std::string& last) {
  stats_record sums;
  return profiler.ReadGames(numbers, sums) && profiler.RemoveGames(numbers, sums, first, last);
}

bool HasLine(const std::string& content, const std::string& line) {
  const auto lines = LinesOf(content);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ProfileGames, AddingTwoGamesToANewProfileGivesTheGoldenFile) {
  test::ScratchDir dir("profile-add");
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.CreateProfileFile("joe.mrv", "Joe", {"Plays on Sundays"}));
  ASSERT_TRUE(profiler.Open("joe.mrv"));

  ASSERT_TRUE(Add(profiler, test::GameA(), test::kGameA));
  EXPECT_TRUE(profiler.Active());
  const auto first = LinesOf(ReadFileBytes(dir / "joe.mrv"));
  ASSERT_GE(first.size(), 24u);
  EXPECT_EQ(first[6], "[TOTALSTATS]");
  EXPECT_EQ(first[7], "GAMES=1");
  EXPECT_EQ(first[12], "KILLS=2;0;1;");
  EXPECT_EQ(first[19], "FIRSTGAME=" + test::kGameA);
  EXPECT_EQ(first[20], "LASTGAME=" + test::kGameA);
  EXPECT_EQ(first[22], "[GAMES]");
  EXPECT_EQ(first[23], "GAME=1=" + test::kGameA);

  ASSERT_TRUE(Add(profiler, test::GameB(), test::kGameB));
  EXPECT_EQ(ReadFileBytes(dir / "joe.mrv"), test::TwoGamesProfile());
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv.tmp"));
}

TEST(ProfileGames, RemovingFromTheMiddleRenumbersAndReducesTheTotals) {
  test::ScratchDir dir("profile-remove");
  WriteFileBytes(dir / "joe.mrv", test::TwoGamesProfile());
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  ASSERT_TRUE(Add(profiler, GameC(), kGameC));  // now C, B, A

  stats_record sums;
  ASSERT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{2, 3}, sums));
  EXPECT_EQ(sums, test::Sum(test::GameA(), test::GameB()));
  EXPECT_FALSE(profiler.ReadGames(std::vector<std::int32_t>{3, 2}, sums));

  const std::string with_three = ReadFileBytes(dir / "joe.mrv");
  const std::string block_a = with_three.substr(with_three.find("GAME=3=") + 7);
  ASSERT_TRUE(Remove(profiler, {2}, test::kGameA, kGameC));
  const std::string content = ReadFileBytes(dir / "joe.mrv");
  EXPECT_TRUE(HasLine(content, "GAMES=2"));
  EXPECT_TRUE(HasLine(content, "GAME=1=" + kGameC));
  EXPECT_EQ(content.substr(content.find("GAME=2=") + 7), block_a);
  EXPECT_TRUE(HasLine(content, "FIRSTGAME=" + test::kGameA));
  EXPECT_TRUE(HasLine(content, "LASTGAME=" + kGameC));
  std::vector<std::string> games;
  ASSERT_TRUE(profiler.ListGames(games));
  EXPECT_EQ(games, (std::vector<std::string>{kGameC, test::kGameA}));
  stats_record totals;
  ASSERT_TRUE(profiler.ReadTotals(totals));
  EXPECT_EQ(totals, test::Sum(test::GameA(), GameC()));

  // A number that matches no game removes nothing, yet lowers the count as asked.
  ASSERT_TRUE(profiler.RemoveGames(std::vector<std::int32_t>{5}, NewStatsRecord(kTestWeapons),
                                   test::kGameA, kGameC));
  EXPECT_TRUE(HasLine(ReadFileBytes(dir / "joe.mrv"), "GAMES=1"));
  ASSERT_TRUE(profiler.ListGames(games = {}));
  EXPECT_EQ(games.size(), 2u);
}

TEST(ProfileGames, AddingThenRemovingAGameRestoresTheFile) {
  test::ScratchDir dir("profile-undo");
  WriteFileBytes(dir / "joe.mrv", test::TwoGamesProfile());
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  ASSERT_TRUE(Add(profiler, GameC(), kGameC));
  ASSERT_TRUE(Remove(profiler, {1}, test::kGameA, test::kGameB));
  EXPECT_EQ(ReadFileBytes(dir / "joe.mrv"), test::TwoGamesProfile());
}

TEST(ProfileGames, RemovingEveryGameLeavesZeroTotalsAndANewFirstGameLater) {
  test::ScratchDir dir("profile-empty");
  WriteFileBytes(dir / "joe.mrv", test::TwoGamesProfile());
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  ASSERT_TRUE(Remove(profiler, {1, 2}, "", ""));
  const auto lines = LinesOf(ReadFileBytes(dir / "joe.mrv"));
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[7], "GAMES=0");
  std::string zeros;
  for (int i = 0; i < 21; ++i) zeros += "0;";
  EXPECT_EQ(lines[8], "HITS=" + zeros);
  EXPECT_EQ(lines[12], "KILLS=0;0;0;");
  EXPECT_EQ(lines[18], "TIME=0");
  EXPECT_EQ(lines[19], "FIRSTGAME=");
  EXPECT_EQ(lines[20], "LASTGAME=");
  EXPECT_EQ(lines.back(), "[GAMES]");
  stats_record totals;
  ASSERT_TRUE(profiler.ReadTotals(totals));
  EXPECT_EQ(totals, NewStatsRecord(kTestWeapons));

  // The next game added is the earliest one again.
  ASSERT_TRUE(Add(profiler, GameC(), kGameC));
  const std::string content = ReadFileBytes(dir / "joe.mrv");
  EXPECT_TRUE(HasLine(content, "GAMES=1"));
  EXPECT_TRUE(HasLine(content, "FIRSTGAME=" + kGameC));
}

TEST(ProfileGames, LayoutFaultsFailWithoutTouchingTheFile) {
  test::ScratchDir dir("profile-layout");
  TProfiler profiler(dir.path(), kTestWeapons);
  const std::string good = test::TwoGamesProfile();
  const std::string hits = LinesOf(good)[8] + "\r\n";
  const std::string hitstaken = LinesOf(good)[9] + "\r\n";
  const auto swapped = [&] {
    std::string content = good;
    return content.replace(content.find(hits), hits.size() + hitstaken.size(), hitstaken + hits);
  }();
  const std::string totals_faults[] = {
      swapped,
      std::string(good).replace(good.find("GAMES=2"), 7, "GAMES=x"),
      std::string(good).replace(good.find("[ETOTALSTATS]"), 13, "[END]"),
      good.substr(0, good.find("[TOTALSTATS]")) + "[TOTALSTATS]\r\nGAMES=2\r\n",
      good.substr(0, good.find("[ENICKNAMES]")),
  };
  // Adding copies the games section as it stands; removing checks every block.
  const std::string games_faults[] = {
      good + "stray line\r\n", good.substr(0, good.size() - 9),  // the last block lacks its end
  };
  auto check_unchanged = [&](const std::string& content, bool try_adding) {
    WriteFileBytes(dir / "p.mrv", content);
    ASSERT_TRUE(profiler.Open("p.mrv"));
    if (try_adding) {
      stats_record totals = NewStatsRecord(kTestWeapons);
      EXPECT_FALSE(profiler.AddGame(GameC(), totals, kGameC));
      EXPECT_EQ(profiler.LastError(), "Invalid file!");
    }
    EXPECT_FALSE(profiler.RemoveGames(std::vector<std::int32_t>{1}, test::GameB(), "a", "a"));
    EXPECT_EQ(profiler.LastError(), "Invalid file!");
    EXPECT_EQ(ReadFileBytes(dir / "p.mrv"), content);
    EXPECT_TRUE(profiler.Active());
    profiler.Close();
  };
  for (const auto& content : totals_faults) check_unchanged(content, true);
  for (const auto& content : games_faults) check_unchanged(content, false);

  // A profile without games has nothing to remove.
  ASSERT_TRUE(profiler.CreateProfileFile("new.mrv", "Joe", {}));
  ASSERT_TRUE(profiler.Open("new.mrv"));
  EXPECT_FALSE(
      profiler.RemoveGames(std::vector<std::int32_t>{}, NewStatsRecord(kTestWeapons), "", ""));
  EXPECT_EQ(profiler.LastError(), "Invalid file!");
}

TEST(ProfileGames, AFailedReplacementKeepsTheProfileAndItsOpenState) {
  test::ScratchDir dir("profile-replace");
  WriteFileBytes(dir / "joe.mrv", test::TwoGamesProfile());
  std::filesystem::create_directory(dir / "joe.mrv.tmp");  // the temporary cannot be made
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  EXPECT_FALSE(Add(profiler, GameC(), kGameC));
  EXPECT_EQ(profiler.LastError(), "Unable to save file!");
  EXPECT_FALSE(Remove(profiler, {1}, test::kGameA, test::kGameA));
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("joe.mrv", {"Joe"}, {}));
  EXPECT_EQ(ReadFileBytes(dir / "joe.mrv"), test::TwoGamesProfile());
  EXPECT_TRUE(profiler.Active());
}

}  // namespace
}  // namespace mrv
