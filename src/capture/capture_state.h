// The state a capture shares between its driver, the line interpreter, the replies and
// the streak rules: the context of one run, the counters of the current game, the three
// location streaks and the options the player chose.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/capture_options.h"
#include "model/stats_store.h"

namespace mrv {

// Consecutive hits (or kills, or deaths) at the same hit location.
struct Streak {
  std::uint8_t last_location = 0;
  std::int32_t count = 0;
};

// The last two lines the interpreter did not consume, or the event markers it put in
// their place: entry 0 the older. A new entry takes the older one's place and buffer,
// so that nothing moves and a long run stops allocating here.
class RecentPair {
 public:
  std::string& operator[](std::size_t i) { return lines_[(newest_ + i + 1) & 1]; }
  const std::string& operator[](std::size_t i) const { return lines_[(newest_ + i + 1) & 1]; }
  // Drops entry 0; the new entry 1 is returned, to be written.
  std::string& Push() {
    newest_ ^= 1;
    return lines_[newest_];
  }

 private:
  std::array<std::string, 2> lines_;
  std::size_t newest_ = 1;
};

struct CaptureContext {
  MapRecord* current_map = nullptr;
  // Number used in the provisional name "<mapN>" of the next map.
  std::int32_t map_counter = 1;
  RecentPair RecentLines;
  // Weapon of the last kill; negative ends the capture.
  std::int32_t weapon_index = 1;
  bool GameStartPending = true;
  bool MapJustOpened = true;
  // The game was asked for the current map's name and the player's: a read before its
  // answer arrived does not ask again.
  bool NamesAsked = false;
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

// Drops the older entry of RecentLines and appends the text, which is never a view into
// RecentLines itself.
void PushRecentLine(CaptureContext& context, std::string_view text);

}  // namespace mrv
