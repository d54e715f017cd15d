// The state a capture shares between its driver, the line interpreter, the replies and
// the streak rules: the context of one run, the counters of the current game, the three
// location streaks and the options the player chose.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/store.h"

namespace mrv {

// Consecutive hits (or kills, or deaths) at the same hit location.
struct Streak {
  std::uint8_t last_location = 0;
  std::int32_t count = 0;
};

struct CaptureContext {
  map_record* current_map = nullptr;
  // Number used in the provisional name "<mapN>" of the next map.
  std::int32_t map_counter = 1;
  // The last two lines the interpreter did not consume, or the event markers it put in
  // their place: entry 0 the older.
  std::array<std::string, 2> RecentLines;
  // Weapon of the last kill; negative ends the capture.
  std::int32_t weapon_index = 1;
  bool GameStartPending = true;
  bool MapJustOpened = true;
};

// Counters of the current game: reset by the run reset and at every game start.
struct GameCounters {
  std::int32_t GameHitsGiven = 0;
  std::int32_t GameHitsTaken = 0;
  std::int32_t TopKills = 0;
  std::int32_t TopCaps = 0;
};

struct Streaks {
  Streak HitStreak;
  Streak KillStreak;
  Streak DeathStreak;
};

// What the player chose for the capture; the defaults are those of a fresh stats.ini.
struct CaptureOptions {
  bool Monitor = false;  // console monitor (true) or log-file parse (false)
  bool cheadshot = true;
  bool ccyclic = false;
  std::int32_t SETime = 60;  // seconds between cyclic stats replies
  bool cautokill = false;
  bool cautodie = false;
  bool crandom = true;
  bool ccyclich = false;
  std::int32_t SETimeh = 60;  // seconds between cyclic hit replies
  bool cautokillh = false;
  bool cautodieh = false;
  bool crandomh = true;
  // Nicknames of the selected profile; they identify the own player for the
  // locations of deciding hits.
  std::vector<std::string> lplayernicks;
};

struct CaptureState {
  CaptureContext context;
  GameCounters counters;
  Streaks streaks;
  CaptureOptions options;
};

// At the start of every run and after the game was lost; the streaks stay.
void RunReset(CaptureState& state);
// At every game start: counters and streak counts to 0, the start no longer pending.
// The streaks' last locations stay.
void GameReset(CaptureState& state);

// Drops the older entry of RecentLines and appends the text.
void PushRecentLine(CaptureContext& context, std::string_view text);

}  // namespace mrv
