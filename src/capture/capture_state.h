// The state a capture shares between its driver, the line interpreter, the replies and
// the streak rules: the context of one run, the counters of the current game, the three
// location streaks and the options the player chose.
#pragma once

#include <array>
#include <atomic>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// An option the player may change while a capture runs: one thread writes it while the
// capture's thread reads it. Each option stands alone, so no ordering is needed.
template <typename T>
class LiveOption {
 public:
  // Implicit both ways, so that an option reads and assigns as its plain value.
  LiveOption(T value = T{}) : value_(value) {}
  LiveOption(const LiveOption& other) : value_(other.get()) {}
  LiveOption& operator=(const LiveOption& other) { return *this = other.get(); }
  LiveOption& operator=(T value) {
    value_.store(value, std::memory_order_relaxed);
    return *this;
  }
  operator T() const { return get(); }
  T get() const { return value_.load(std::memory_order_relaxed); }
  // Flips a flag in one step, so that a change made meanwhile on the other thread is
  // never lost; returns the new value.
  T Toggle() requires std::same_as<T, bool> {
    T old = get();
    while (!value_.compare_exchange_weak(old, !old, std::memory_order_relaxed)) {
    }
    return !old;
  }

 private:
  std::atomic<T> value_;
};

// What the player chose for the capture; the defaults are those of a fresh stats.ini.
// The LiveOption fields may change from another thread during the run; Monitor and
// lplayernicks are fixed before it starts.
struct CaptureOptions {
  bool Monitor = false;  // console monitor (true) or log-file parse (false)
  LiveOption<bool> cheadshot = true;
  LiveOption<bool> ccyclic = false;
  LiveOption<std::int32_t> SETime = 60;  // seconds between cyclic stats replies
  LiveOption<bool> cautokill = false;
  LiveOption<bool> cautodie = false;
  LiveOption<bool> crandom = true;
  LiveOption<bool> ccyclich = false;
  LiveOption<std::int32_t> SETimeh = 60;  // seconds between cyclic hit replies
  LiveOption<bool> cautokillh = false;
  LiveOption<bool> cautodieh = false;
  LiveOption<bool> crandomh = true;
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

// Drops the older entry of RecentLines and appends the text, which is never a view into
// RecentLines itself.
void PushRecentLine(CaptureContext& context, std::string_view text);

}  // namespace mrv
