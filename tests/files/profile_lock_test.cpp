// Two programs changing one profile at once: the lock keeps every change whole.
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <sstream>

#include "files/profile_add_game.h"
#include "files/profile_test_support.h"
#include "support/child_process.h"
#include "support/second_program.h"

namespace mrv {
namespace {

constexpr int kGamesPerProgram = 50;

// A game whose one map Joe played for `seconds`.
StatsStore PlayedGame(int seconds) {
  StatsStore store(test::kTestWeapons);
  MapRecord& map = NewMap(store, "ut4_abbey");
  AddNick(map, "Joe", 1);
  map.own_nick = "Joe";
  map.duration = seconds;
  return store;
}

// The second program, with a folder and its number: adds its games the way the
// program does, and lists each one it was told was added in "added<number>", as
// "<id> <seconds>" lines.
int AddGames(const std::vector<std::string>& arguments) {
  const std::filesystem::path dir = arguments.at(0);
  const int program = std::stoi(arguments.at(1));
  ProfileStore profile_store(dir, test::kTestWeapons);
  SilentPrompt prompt;
  if (!profile_store.Open("joe.mrv")) return 2;
  std::string added;
  for (int i = 0; i < kGamesPerProgram; ++i) {
    const int seconds = program * 1000 + i + 1;
    const std::string id = "p" + std::to_string(program) + "g" + std::to_string(i);
    if (AddGameToProfile(PlayedGame(seconds), id, profile_store, prompt)) {
      added += id + " " + std::to_string(seconds) + "\n";
    }
  }
  test::WriteFileBytes(dir / ("added" + std::to_string(program)), added);
  return 0;
}
[[maybe_unused]] const bool kAddGamesRegistered = test::RegisterSecondProgram("add-games", AddGames);

TEST(ProfileLockTest, TwoProgramsAddingAtOnceLoseNoGame) {
  test::ScratchDir dir("profile-lock");
  ProfileStore profile_store(dir.path(), test::kTestWeapons);
  ASSERT_TRUE(profile_store.CreateProfileFile("joe.mrv", "Joe", {}));
  test::ChildProcess first(test::ThisProgram(),
                          test::SecondProgramArguments("add-games", {dir.path().string(), "1"}));
  test::ChildProcess second(test::ThisProgram(),
                           test::SecondProgramArguments("add-games", {dir.path().string(), "2"}));
  std::map<std::string, int> reported;  // id -> seconds
  for (test::ChildProcess* program : {&first, &second}) {
    EXPECT_EQ(program->Wait(std::chrono::minutes(2)), 0);
    const int number = program == &first ? 1 : 2;
    std::istringstream lines(test::ReadFileBytes(dir / ("added" + std::to_string(number))));
    std::string id;
    int seconds = 0;
    int added = 0;
    while (lines >> id >> seconds) added += reported.emplace(id, seconds).second;
    EXPECT_GT(added, 0) << "each program added games";
  }

  // Every game reported as added is in the file, none other, and the totals are the
  // sum of the games.
  ASSERT_TRUE(profile_store.Open("joe.mrv"));
  std::vector<std::string> games;
  ASSERT_TRUE(profile_store.ListGames(games));
  std::sort(games.begin(), games.end());
  std::vector<std::string> expected;
  int seconds = 0;
  for (const auto& [id, game_seconds] : reported) {
    expected.push_back(id);
    seconds += game_seconds;
  }
  EXPECT_EQ(games, expected);
  StatsRecord totals, sums;
  std::vector<std::int32_t> numbers(games.size());
  std::iota(numbers.begin(), numbers.end(), 1);
  ASSERT_TRUE(profile_store.ReadTotals(totals));
  ASSERT_TRUE(profile_store.ReadGames(numbers, sums));
  EXPECT_EQ(totals, sums);
  EXPECT_EQ(totals.time, seconds);
  std::vector<std::string> nicknames, notes;
  ProfileInfo info;
  ASSERT_TRUE(profile_store.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(info.games, static_cast<int>(reported.size()));
#ifndef _WIN32
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv.lock"));
#endif
}

TEST(ProfileLockTest, ASecondWriterWaitsBrieflyThenFails) {
  test::OpenProfile holder("profile-held", test::TwoGamesProfile());
  ASSERT_TRUE(holder.profile_store.Lock());
  ProfileStore other(holder.dir.path(), test::kTestWeapons, std::chrono::milliseconds(30));
  ASSERT_TRUE(other.Open("joe.mrv"));
  StatsRecord totals;
  ASSERT_TRUE(other.ReadTotals(totals)) << "reading needs no lock";
  EXPECT_FALSE(other.AddGame(test::GameA(), totals, "late"));
  EXPECT_EQ(other.LastError(), kProfileLocked);
  EXPECT_FALSE(other.SaveNotesAndNicknames("joe.mrv", {"Jo"}, {}));
  EXPECT_EQ(holder.File(), test::TwoGamesProfile());

  // The holder changes the profile under its own lock, then lets go.
  ASSERT_TRUE(holder.profile_store.SaveNotesAndNicknames("joe.mrv", {"Joe", "Jo"}, {}));
  holder.profile_store.Unlock();
  ASSERT_TRUE(other.ReadTotals(totals));
  EXPECT_TRUE(other.AddGame(test::GameA(), totals, "late")) << other.LastError();
}

// A folder or a link where the lock file goes keeps every change out, and says so.
TEST(ProfileLockTest, ALockFileThatCannotBeMadeIsNamedWithTheReason) {
  test::OpenProfile f("profile-lock-blocked", test::TwoGamesProfile());
  const std::filesystem::path lock =
      std::filesystem::weakly_canonical(f.dir / "joe.mrv").string() + ".lock";
  std::filesystem::create_directory(lock);
  StatsRecord totals;
  ASSERT_TRUE(f.profile_store.ReadTotals(totals));
  EXPECT_FALSE(f.profile_store.AddGame(test::GameA(), totals, "late"));
  EXPECT_EQ(f.profile_store.LastError(),
            "Unable to save file!\r\nThe lock file " + lock.string() + " is a folder.");
#ifndef _WIN32  // links there need a privilege
  std::filesystem::remove(lock);
  std::filesystem::create_symlink(f.dir / "elsewhere", lock);
  EXPECT_FALSE(f.profile_store.SaveNotesAndNicknames("joe.mrv", {"Jo"}, {}));
  EXPECT_EQ(f.profile_store.LastError(), "Unable to save file!\r\nThe lock file " +
                                             lock.string() +
                                             " is a link, which a lock never follows.");
  EXPECT_FALSE(std::filesystem::exists(f.dir / "elsewhere"));
#endif
  EXPECT_EQ(f.File(), test::TwoGamesProfile());
}

}  // namespace
}  // namespace mrv
