// Two programs changing one profile at once: the lock keeps every change whole.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <numeric>
#include <sstream>

#include "files/profile_add_game.h"
#include "files/profile_test_support.h"

namespace mrv {
namespace {

constexpr int kGamesPerProgram = 50;

// A game whose one map Joe played for `seconds`.
Database PlayedGame(int seconds) {
  Database database(test::kTestWeapons);
  map_record& map = NewMap(database, "ut4_abbey");
  AddNick(map, "Joe", 1);
  map.own_nick = "Joe";
  map.duration = seconds;
  return database;
}

// The child: adds its games the way the program does, and tells each one it was
// told was added, as "<id> <seconds>" lines on the pipe.
[[noreturn]] void AddGames(const std::filesystem::path& dir, int program, int pipe) {
  TProfiler profiler(dir, test::kTestWeapons);
  SilentPrompt prompt;
  if (!profiler.Open("joe.mrv")) _exit(2);
  for (int i = 0; i < kGamesPerProgram; ++i) {
    const int seconds = program * 1000 + i + 1;
    const std::string id = "p" + std::to_string(program) + "g" + std::to_string(i);
    if (AddGameToProfile(PlayedGame(seconds), id, profiler, prompt)) {
      const std::string line = id + " " + std::to_string(seconds) + "\n";
      if (write(pipe, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(3);
    }
  }
  _exit(0);
}

TEST(ProfileLock, TwoProgramsAddingAtOnceLoseNoGame) {
  test::ScratchDir dir("profile-lock");
  TProfiler profiler(dir.path(), test::kTestWeapons);
  ASSERT_TRUE(profiler.CreateProfileFile("joe.mrv", "Joe", {}));

  std::map<std::string, int> reported;  // id -> seconds
  std::vector<pid_t> children;
  std::vector<int> pipes;
  for (int program = 1; program <= 2; ++program) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ends[0]);
      AddGames(dir.path(), program, ends[1]);
    }
    close(ends[1]);
    children.push_back(child);
    pipes.push_back(ends[0]);
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    std::string said;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipes[i], buffer, sizeof buffer)) > 0) said.append(buffer, got);
    close(pipes[i]);
    int status = 0;
    ASSERT_EQ(waitpid(children[i], &status, 0), children[i]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::istringstream lines(said);
    std::string id;
    int seconds = 0;
    int added = 0;
    while (lines >> id >> seconds) added += reported.emplace(id, seconds).second;
    EXPECT_GT(added, 0) << "each program added games";
  }

  // Every game reported as added is in the file, none other, and the totals are the
  // sum of the games.
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  std::vector<std::string> games;
  ASSERT_TRUE(profiler.ListGames(games));
  std::sort(games.begin(), games.end());
  std::vector<std::string> expected;
  for (const auto& [id, seconds] : reported) expected.push_back(id);
  EXPECT_EQ(games, expected);
  stats_record totals, sums;
  std::vector<std::int32_t> numbers(games.size());
  std::iota(numbers.begin(), numbers.end(), 1);
  ASSERT_TRUE(profiler.ReadTotals(totals));
  ASSERT_TRUE(profiler.ReadGames(numbers, sums));
  EXPECT_EQ(totals, sums);
  EXPECT_EQ(totals.time,
            std::accumulate(reported.begin(), reported.end(), 0,
                            [](int sum, const auto& game) { return sum + game.second; }));
  std::vector<std::string> nicknames, notes;
  ProfileInfo info;
  ASSERT_TRUE(profiler.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(info.games, static_cast<int>(reported.size()));
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv.lock"));
}

TEST(ProfileLock, ASecondWriterWaitsBrieflyThenFails) {
  test::OpenProfile holder("profile-held", test::TwoGamesProfile());
  ASSERT_TRUE(holder.profiler.Lock());
  TProfiler other(holder.dir.path(), test::kTestWeapons, std::chrono::milliseconds(30));
  ASSERT_TRUE(other.Open("joe.mrv"));
  stats_record totals;
  ASSERT_TRUE(other.ReadTotals(totals)) << "reading needs no lock";
  EXPECT_FALSE(other.AddGame(test::GameA(), totals, "late"));
  EXPECT_EQ(other.LastError(), kProfileLocked);
  EXPECT_FALSE(other.SaveNotesAndNicknames("joe.mrv", {"Jo"}, {}));
  EXPECT_EQ(holder.File(), test::TwoGamesProfile());

  // The holder changes the profile under its own lock, then lets go.
  ASSERT_TRUE(holder.profiler.SaveNotesAndNicknames("joe.mrv", {"Joe", "Jo"}, {}));
  holder.profiler.Unlock();
  ASSERT_TRUE(other.ReadTotals(totals));
  EXPECT_TRUE(other.AddGame(test::GameA(), totals, "late")) << other.LastError();
}

}  // namespace
}  // namespace mrv
