// A rewrite killed at any moment leaves the profile with its old or its new content.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <thread>

#include "files/profile_test_support.h"
#include "support/child_process.h"
#include "support/second_program.h"

namespace mrv {
namespace {

using States = std::array<std::string, 4>;

// One rewrite from each state to the next; the four rewrites return to the start.
bool Step(ProfileStore& profile_store, std::size_t state) {
  StatsRecord figures;
  std::vector<std::string> listed;
  const std::vector<std::int32_t> newest = {1};
  switch (state) {
    case 0:
      return profile_store.ReadTotals(figures) && profile_store.AddGame(test::GameB(), figures, "third");
    case 2:
      return profile_store.ListGames(listed) && profile_store.RemoveGames(newest, listed);
    default:
      return profile_store.SaveNotesAndNicknames("joe.mrv", {"Joe"},
                                            {state == 1 ? "Mondays" : "Plays on Sundays"});
  }
}

std::string StateFile(std::size_t state) {
  return "state" + std::to_string(state);
}

// The second program, with a folder that holds the profile and its four states
// ("state0" to "state3"), and a number of rounds: rewrites the profile that many
// times, or until it is killed.
int Rewrite(const std::vector<std::string>& arguments) {
  const std::filesystem::path dir = arguments.at(0);
  const int rounds = std::stoi(arguments.at(1));
  States states;
  for (std::size_t state = 0; state < states.size(); ++state) {
    states[state] = test::ReadFileBytes(dir / StateFile(state));
  }
  ProfileStore profile_store(dir, test::kTestWeapons);
  if (!profile_store.Open("joe.mrv")) return 2;
  for (int round = 0; round < rounds; ++round) {
    const auto state =
        std::find(states.begin(), states.end(), test::ReadFileBytes(dir / "joe.mrv"));
    if (state == states.end() || !Step(profile_store, state - states.begin())) return 3;
  }
  return 0;
}
[[maybe_unused]] const bool kRewriteRegistered = test::RegisterSecondProgram("rewrite", Rewrite);

std::vector<std::string> Rewrites(const std::filesystem::path& dir, int rounds) {
  return test::SecondProgramArguments("rewrite", {dir.string(), std::to_string(rounds)});
}

TEST(ProfileCrashTest, KilledRewritesLeaveTheOldOrTheNewProfile) {
  test::ScratchDir dir("profile-crash");
  const auto file = dir / "joe.mrv";
  States states;
  states[0] = test::TwoGamesProfile();
  test::WriteFileBytes(file, states[0]);

  // One cycle learns the states.
  ProfileStore profile_store(dir.path(), test::kTestWeapons);
  ASSERT_TRUE(profile_store.Open("joe.mrv"));
  for (std::size_t state = 0; state < states.size(); ++state) {
    ASSERT_TRUE(Step(profile_store, state)) << state << ": " << profile_store.LastError();
    if (state + 1 < states.size()) states[state + 1] = test::ReadFileBytes(file);
  }
  ASSERT_EQ(test::ReadFileBytes(file), states[0]);
  for (std::size_t state = 0; state < states.size(); ++state) {
    test::WriteFileBytes(dir / StateFile(state), states[state]);
  }
  // The slowest of three second programs' start and first rewrite, so that the kills
  // land before, during and after the first replacement.
  std::chrono::microseconds first_rewrite{0};
  for (int sample = 0; sample < 3; ++sample) {
    test::WriteFileBytes(file, states[0]);
    const auto start = std::chrono::steady_clock::now();
    test::ChildProcess timed(test::ThisProgram(), Rewrites(dir.path(), 1));
    ASSERT_EQ(timed.Wait(std::chrono::minutes(1)), 0);
    first_rewrite = std::max(first_rewrite, std::chrono::duration_cast<std::chrono::microseconds>(
                                                std::chrono::steady_clock::now() - start));
  }

  std::mt19937 random(20240501);
  std::uniform_int_distribution<std::int64_t> delay(0, first_rewrite.count() * 3 / 2);
  int unchanged = 0;
  for (int kill = 0; kill < 200; ++kill) {
    const auto& old_content = states[kill % states.size()];
    test::WriteFileBytes(file, old_content);
    test::ChildProcess rewriter(test::ThisProgram(), Rewrites(dir.path(), 100000));
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    rewriter.Kill();
    ASSERT_EQ(rewriter.Wait(std::chrono::milliseconds(0)), test::kKilledExitCode)
        << "the rewriting program failed on its own";

    const auto content = test::ReadFileBytes(file);
    ASSERT_NE(std::find(states.begin(), states.end(), content), states.end()) << kill;
    unchanged += content == old_content;
    ProfileStore reader(dir.path(), test::kTestWeapons);
    std::vector<std::string> lines;
    StatsRecord totals;
    ASSERT_TRUE(reader.Open("joe.mrv") && reader.ReadNicknames(lines) &&
                reader.ReadTotals(totals) && reader.ListGames(lines));
  }
  // Both sides of the replacement were hit.
  EXPECT_GT(unchanged, 0);
  EXPECT_LT(unchanged, 200);
}

}  // namespace
}  // namespace mrv
