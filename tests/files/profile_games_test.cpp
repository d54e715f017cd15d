#include <gtest/gtest.h>

#include "files/profile_test_support.h"

namespace mrv {
namespace {

using test::HasLine;
using test::kTestWeapons;
using test::ReadFileBytes;
using test::WriteFileBytes;
using Numbers = std::vector<std::int32_t>;

const std::string kGameC = "final";
const StatsRecord kC = {.hits = {0, 0, 7}, .kills = {1, 1, 1}, .deaths = {0, 2, 0}, .time = 90};

// Adds or removes games the way the viewer does: figures read just before.
bool Add(ProfileStore& profile_store, const StatsRecord& game, const std::string& id) {
  StatsRecord totals;
  return profile_store.ReadTotals(totals) && profile_store.AddGame(game, totals, id);
}

bool Remove(ProfileStore& profile_store, const Numbers& numbers) {
  std::vector<std::string> listed;
  return profile_store.ListGames(listed) && profile_store.RemoveGames(numbers, listed);
}

using Fixture = test::OpenProfile;

TEST(ProfileGamesTest, AddingTwoGamesToANewProfileGivesTheGoldenFile) {
  Fixture f("profile-add",
            "[NOTES]\r\nPlays on Sundays\r\n[ENOTES]\r\n[NICKNAMES]\r\nJoe\r\n"
            "[ENICKNAMES]\r\n");
  ASSERT_TRUE(Add(f.profile_store, test::GameA(), test::kGameA));
  EXPECT_TRUE(f.profile_store.Active());
  const std::string first = f.File();
  for (const auto& line : {"GAMES=1", "KILLS=2;0;1;", "FIRSTGAME=2024-05-01 20:15",
                           "LASTGAME=2024-05-01 20:15", "GAME=1=2024-05-01 20:15"}) {
    EXPECT_TRUE(HasLine(first, line)) << line;
  }
  ASSERT_TRUE(Add(f.profile_store, test::GameB(), test::kGameB));
  EXPECT_EQ(f.File(), test::TwoGamesProfile());
  EXPECT_FALSE(std::filesystem::exists(f.dir / "joe.mrv.tmp"));
}

TEST(ProfileGamesTest, RemovingFromTheMiddleRenumbersAndReducesTheTotals) {
  Fixture f("profile-remove", test::TwoGamesProfile());
  ASSERT_TRUE(Add(f.profile_store, kC, kGameC));  // now C, B, A
  StatsRecord sums;
  ASSERT_TRUE(f.profile_store.ReadGames(Numbers{2, 3}, sums));
  EXPECT_EQ(sums, test::Sum(test::GameA(), test::GameB()));

  const std::string with_three = f.File();
  ASSERT_TRUE(Remove(f.profile_store, {2}));
  const std::string content = f.File();
  EXPECT_TRUE(HasLine(content, "GAMES=2"));
  EXPECT_TRUE(HasLine(content, "GAME=1=" + kGameC));
  // Game A's block moves up to number 2 with every line as it was.
  EXPECT_EQ(content.substr(content.find("GAME=2=") + 7),
            with_three.substr(with_three.find("GAME=3=") + 7));
  EXPECT_TRUE(HasLine(content, "FIRSTGAME=" + test::kGameA));
  EXPECT_TRUE(HasLine(content, "LASTGAME=" + kGameC));
  StatsRecord totals;
  ASSERT_TRUE(f.profile_store.ReadTotals(totals));
  EXPECT_EQ(totals, test::Sum(test::GameA(), kC));
}

// Games are known by what they are: a game another program added or removed after the
// list was read shifts the numbers, and then nothing is removed.
TEST(ProfileGamesTest, RemovingRefusesAProfileChangedSinceItsGamesWereListed) {
  Fixture f("profile-remove-changed", test::TwoGamesProfile());
  std::vector<std::string> listed;  // B, A
  ASSERT_TRUE(f.profile_store.ListGames(listed));
  ProfileStore other(f.dir.path(), kTestWeapons);  // morvane-cli profile add, say
  ASSERT_TRUE(other.Open("joe.mrv"));
  ASSERT_TRUE(Add(other, kC, kGameC));  // now C, B, A
  const std::string with_three = f.File();
  for (const Numbers& numbers : {Numbers{2}, Numbers{1, 2}, Numbers{3}, Numbers{2, 1}}) {
    EXPECT_FALSE(f.profile_store.RemoveGames(numbers, listed));
    EXPECT_EQ(f.profile_store.LastError(), kProfileChanged);
    EXPECT_EQ(f.File(), with_three);
  }
  // Listed again, game A is number 3; the totals lose its own block's figures.
  ASSERT_TRUE(Remove(f.profile_store, {3}));
  const std::string content = f.File();
  EXPECT_TRUE(HasLine(content, "GAMES=2"));
  EXPECT_TRUE(HasLine(content, "FIRSTGAME=" + test::kGameB));
  EXPECT_TRUE(HasLine(content, "LASTGAME=" + kGameC));
  EXPECT_EQ(content.find("=" + test::kGameA), std::string::npos);
  StatsRecord totals;
  ASSERT_TRUE(f.profile_store.ReadTotals(totals));
  EXPECT_EQ(totals, test::Sum(test::GameB(), kC));
}

TEST(ProfileGamesTest, UndoingAnAddRestoresTheFileAndEmptyingLeavesZeroTotals) {
  Fixture f("profile-empty", test::TwoGamesProfile());
  ASSERT_TRUE(Add(f.profile_store, kC, kGameC));
  ASSERT_TRUE(Remove(f.profile_store, {1}));
  EXPECT_EQ(f.File(), test::TwoGamesProfile());
  ASSERT_TRUE(Remove(f.profile_store, {1, 2}));
  const std::string content = f.File();
  for (const auto& line : {"GAMES=0", "KILLS=0;0;0;", "TIME=0", "FIRSTGAME=", "LASTGAME="}) {
    EXPECT_TRUE(HasLine(content, line)) << line;
  }
  EXPECT_TRUE(content.ends_with("[ETOTALSTATS]\r\n[GAMES]\r\n"));
  StatsRecord totals;
  ASSERT_TRUE(f.profile_store.ReadTotals(totals));
  EXPECT_EQ(totals, NewStatsRecord(kTestWeapons));
  ASSERT_TRUE(Add(f.profile_store, kC, kGameC));
  EXPECT_TRUE(HasLine(f.File(), "FIRSTGAME=" + kGameC));
}

TEST(ProfileGamesTest, AFailedReplacementKeepsTheProfileAndItsOpenState) {
  test::ScratchDir dir("profile-replace");
  // The longest name a folder holds: no lock or temporary file can be named after it.
  const std::string name = std::string(251, 'j') + ".mrv";
  WriteFileBytes(dir / name, test::TwoGamesProfile());
  ProfileStore profile_store(dir.path(), kTestWeapons);
  ASSERT_TRUE(profile_store.Open(name));
  EXPECT_FALSE(Add(profile_store, kC, kGameC));
  EXPECT_TRUE(profile_store.LastError().starts_with("Unable to save file!\r\nThe lock file "));
#ifndef _WIN32  // the system's words differ there
  EXPECT_TRUE(profile_store.LastError().ends_with(".lock cannot be made: File name too long."));
#endif
  EXPECT_FALSE(Remove(profile_store, {1}));
  EXPECT_FALSE(profile_store.SaveNotesAndNicknames(name, {"Joe"}, {}));
  EXPECT_EQ(ReadFileBytes(dir / name), test::TwoGamesProfile());
  EXPECT_TRUE(profile_store.Active());
}

}  // namespace
}  // namespace mrv
