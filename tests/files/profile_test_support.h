// Shared pieces of the profile tests: two known games with three weapons, the golden
// profile that holds both, and an open profile in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "files/profile_store.h"
#include "model/contribution.h"
#include "support/paths.h"

namespace mrv::test {

inline constexpr int kTestWeapons = 3;
inline const std::string kGameA = "2024-05-01 20:15";
inline const std::string kGameB = "2024-05-02 21:00";

// clang-format off
inline StatsRecord GameA() {
  return {.hits = {3, 0, 2}, .hits_taken = {0, 1}, .killing_hits = {1}, .last_hits_taken = {0, 0, 1},
          .kills = {2, 0, 1}, .deaths = {1, 1, 0}, .caps = 1, .carrier_kills = 2, .flags_taken = 3, .time = 600};
}

inline StatsRecord GameB() {
  return {.hits = {1}, .hits_taken = {2}, .killing_hits = {0, 0, 0, 1}, .last_hits_taken = {2},
          .kills = {0, 5, 0}, .deaths = {0, 0, 3}, .rets = 2, .flags_taken = 1, .time = 1200};
}
// clang-format on

inline StatsRecord Sum(StatsRecord a, const StatsRecord& b) {
  AddStatsRecord(a, b);
  return a;
}

// Joe's profile after adding game A, then game B.
inline std::string TwoGamesProfile() {
  return ReadFileBytes(TestDataDir() / "profile_two_games.mrv");
}

inline bool HasLine(const std::string& content, const std::string& line) {
  return ("\r\n" + content).find("\r\n" + line + "\r\n") != std::string::npos;
}

// The content with the first `from` replaced by `to`.
inline std::string Edited(std::string content, const std::string& from, const std::string& to) {
  return content.replace(content.find(from), from.size(), to);
}

// joe.mrv with the given content, opened.
struct OpenProfile {
  OpenProfile(const std::string& name, const std::string& content) : dir(name) {
    WriteFileBytes(dir / "joe.mrv", content);
    EXPECT_TRUE(profile_store.Open("joe.mrv"));
  }
  std::string File() const { return ReadFileBytes(dir / "joe.mrv"); }
  // Closed, given the content, and opened again.
  void Rewrite(const std::string& content) {
    profile_store.Close();
    WriteFileBytes(dir / "joe.mrv", content);
    EXPECT_TRUE(profile_store.Open("joe.mrv"));
  }
  ScratchDir dir;
  ProfileStore profile_store{dir.path(), kTestWeapons};
};

}  // namespace mrv::test
