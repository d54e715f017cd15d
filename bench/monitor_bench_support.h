// What the console monitor's two benchmarks share: the real bridge running the scripted
// fake game, a sound output that notes when each hit is counted, and the measurement
// itself, made from the player's side.
//
// The lines arrive as the game's echo of "ut_echo You hit Rasec in the Head", typed by
// the benchmark, which stands in for the player. A line's arrival is taken as the moment
// the bridge confirmed the typing (the game's echo follows within microseconds), its
// count as the headshot sound the monitor plays while it counts the hit.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <vector>

#include "capture/console/bridge_console.h"
#include "capture/matching/death_templates.h"
#include "capture/platform.h"
#include "model/weapons.h"

namespace mrv::bench {

using Moment = std::chrono::steady_clock::time_point;

// Records when the monitor plays the headshot sound, which it does for every hit in the
// head; the silent warm-up plays of a game start are left out.
class HitClock final : public SoundPlayer {
 public:
  void Play(Sound sound) override;
  void StopAll() override {}
  int Volume() override { return volume_; }
  void SetVolume(int volume) override { volume_ = volume; }
  std::vector<Moment> hits();

 private:
  int volume_ = 255;  // only the monitor's thread changes it
  std::mutex mutex_;
  std::vector<Moment> hits_;
};

// morvane-console running morvane-fake-game with a script that only serves typed lines.
class BridgedGame {
 public:
  BridgedGame(const std::filesystem::path& programs, const std::filesystem::path& folder);
  ~BridgedGame();
  BridgedGame(const BridgedGame&) = delete;
  BridgedGame& operator=(const BridgedGame&) = delete;

  const std::filesystem::path& socket() const { return socket_; }
  // A player's console once the game reads typed lines; false when it never does.
  bool Connect(BridgeConsole& player) const;

 private:
  std::filesystem::path socket_;
  pid_t pid_ = -1;
};

// The folder of this program, where the bridge, the fake game and the shipped files are.
std::filesystem::path ProgramFolder();
// False, after saying why, when the bridge or the fake game is not beside this program.
bool HelpersPresent(const std::filesystem::path& programs);
// A fresh folder under the system's temporary one; empty when none could be made.
std::filesystem::path MakeScratchFolder();

struct Shipped {
  WeaponTable weapons;
  DeathTemplates templates;
};
// The weapon table and templates beside this program; false after saying why.
bool LoadShipped(const std::filesystem::path& programs, Shipped& shipped);

// Plays the player against a monitor that is already running: one hit to start the game,
// then an idle console, then 100 lines a second, each phase 5 s; `cpu_seconds` gives the
// CPU time that counts as the monitor's, `stop` ends the monitor once every line was
// counted. Prints the figures under `title`; 0 when every line was counted.
int MeasureMonitor(const char* title, BridgeConsole& player, HitClock& sound,
                   const std::function<double()>& cpu_seconds, const std::function<void()>& stop);

// The CPU time a thread (given by its clock) or this whole process has used.
double ThreadCpuSeconds(clockid_t thread_clock);
double ProcessCpuSeconds();

}  // namespace mrv::bench
