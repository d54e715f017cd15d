// Shared pieces of the profile tests: two known games with three weapons, and the
// golden profile that holds both.
#pragma once

#include <string>
#include <vector>

#include "files/profiler.h"
#include "model/store.h"
#include "support/paths.h"

namespace mrv::test {

inline constexpr int kTestWeapons = 3;
inline const std::string kGameA = "2024-05-01 20:15";
inline const std::string kGameB = "2024-05-02 21:00";

inline stats_record GameA() {
  stats_record game = NewStatsRecord(kTestWeapons);
  game.hits[0] = 3;
  game.hits[8] = 2;
  game.hitstaken[17] = 1;
  game.deathhits[0] = 1;
  game.deathhitstaken[8] = 1;
  game.kills = {2, 0, 1};
  game.deaths = {1, 1, 0};
  game.caps = 1;
  game.fck = 2;
  game.ft = 3;
  game.time = 600;
  return game;
}

inline stats_record GameB() {
  stats_record game = NewStatsRecord(kTestWeapons);
  game.hits[0] = 1;
  game.hits[20] = 4;
  game.hitstaken[0] = 2;
  game.deathhits[20] = 1;
  game.deathhitstaken[0] = 2;
  game.kills = {0, 5, 0};
  game.deaths = {0, 0, 3};
  game.rets = 2;
  game.ft = 1;
  game.time = 1200;
  return game;
}

// Field by field, without the code under test.
inline stats_record Sum(const stats_record& a, const stats_record& b) {
  stats_record sum = a;
  for (std::size_t i = 0; i < sum.hits.size(); ++i) {
    sum.hits[i] += b.hits[i];
    sum.hitstaken[i] += b.hitstaken[i];
    sum.deathhits[i] += b.deathhits[i];
    sum.deathhitstaken[i] += b.deathhitstaken[i];
  }
  for (std::size_t w = 0; w < sum.kills.size(); ++w) {
    sum.kills[w] += b.kills[w];
    sum.deaths[w] += b.deaths[w];
  }
  sum.caps += b.caps;
  sum.rets += b.rets;
  sum.fck += b.fck;
  sum.ft += b.ft;
  sum.time += b.time;
  return sum;
}

// Joe's profile after adding game A, then game B.
inline std::string TwoGamesProfile() {
  return ReadFileBytes(TestDataDir() / "profile_two_games.mrv");
}

// The file's lines, split at CR LF.
inline std::vector<std::string> LinesOf(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = content.find("\r\n"); end != std::string::npos;
       end = content.find("\r\n", start)) {
    lines.push_back(content.substr(start, end - start));
    start = end + 2;
  }
  if (start < content.size()) lines.push_back(content.substr(start));
  return lines;
}

}  // namespace mrv::test
