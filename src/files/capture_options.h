// What the player chose for a capture: the headshot sound, when stats replies are typed
// into the game, which announcements are made, and whose nicknames are the player's.
// Section "Monitor" of the settings file keeps all but the nicknames, under its own key
// names; LoadCaptureOptions fills this type from it directly and SaveCaptureOptions
// writes it back, so the dialog, the command-line tool and the capture share one type.
#pragma once

#include <atomic>
#include <concepts>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mrv {

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
  // Both forms: with only the mixed one, comparing two options could take either
  // argument's conversion, which C++20's reversed candidates make ambiguous.
  friend bool operator==(const LiveOption& a, const LiveOption& b) { return a.get() == b.get(); }
  friend bool operator==(const LiveOption& a, T b) { return a.get() == b; }
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

// The defaults are those of a fresh settings file. The LiveOption fields may change from
// another thread during a run; the others are fixed before it starts.
struct CaptureOptions {
  static constexpr std::int32_t kMinPeriod = 30;
  static constexpr std::int32_t kMaxPeriod = 999;

  // A live console (true) or a log file (false); set by whoever starts the capture.
  bool monitor = false;
  // The desktop dialog hides itself to the tray while a live capture runs.
  bool minimize_to_tray = true;

  LiveOption<bool> headshot_sound = true;
  // The player's own stats (kills, deaths, flags): every so many seconds, and after each
  // of his kills and deaths.
  LiveOption<bool> cyclic_stats = false;
  LiveOption<std::int32_t> stats_every_seconds = 60;
  LiveOption<bool> stats_after_kill = false;
  LiveOption<bool> stats_after_death = false;
  // The player's hits given and taken, the same ways.
  LiveOption<bool> cyclic_hits = false;
  LiveOption<std::int32_t> hits_every_seconds = 60;
  LiveOption<bool> hits_after_kill = false;
  LiveOption<bool> hits_after_death = false;
  // The top-fragger and cap-high announcements.
  LiveOption<bool> frag_announcements = true;
  // The hit, kill and death streak announcements.
  LiveOption<bool> streak_announcements = true;

  // The selected profile's nicknames: they tell which player is the player himself.
  std::vector<std::string> own_nicknames;

  bool operator==(const CaptureOptions&) const = default;
};

// Reads the twelve keys, missing ones at their defaults, the two periods brought within
// kMinPeriod to kMaxPeriod. False, with the options untouched, when the file is missing
// or unreadable.
bool LoadCaptureOptions(const std::filesystem::path& data_dir, CaptureOptions& options);
// Writes the twelve keys; false, with nothing written, when the file is missing.
bool SaveCaptureOptions(const std::filesystem::path& data_dir, const CaptureOptions& options);

}  // namespace mrv
