// Runs the real console bridge with the scripted fake game for the console tests.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "capture/console/game_console.h"

namespace mrv::test {

inline constexpr std::chrono::milliseconds kPatience{15000};

std::filesystem::path FakeGameScript(const std::string& name);

// morvane-console --socket SOCKET -- morvane-fake-game SCRIPT, with the bridge's own
// messages written to a file. Stopped and reaped when the object goes.
class BridgeRun {
 public:
  BridgeRun(const std::filesystem::path& socket, const std::filesystem::path& script,
            const std::filesystem::path& messages);
  ~BridgeRun();
  BridgeRun(const BridgeRun&) = delete;
  BridgeRun& operator=(const BridgeRun&) = delete;

  // True once the bridge takes connections; false when it ended first.
  bool WaitUntilServing();
  // The bridge's exit code once it ended, or nothing within the time.
  std::optional<int> WaitForExit(std::chrono::milliseconds limit = kPatience);
  bool running();

 private:
  std::filesystem::path socket_;
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

// Reads the console until its text holds the needle or the patience runs out;
// returns the last text read.
std::string WaitForText(GameConsole& console, std::string_view needle);

// A socket file that no process listens on, as a bridge that was killed leaves it.
void MakeStaleSocket(const std::filesystem::path& path);

}  // namespace mrv::test
