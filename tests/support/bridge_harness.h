// Runs the real console bridge with the scripted fake game for the console tests.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/game_script.h"

namespace mrv::test {

// morvane-console --socket FOLDER/SOCKET OPTIONS... -- morvane-fake-game SCRIPT
// SETTINGS..., with a script of tests/data/fake_game (or an absolute path) and the
// bridge's own messages written to FOLDER/MESSAGES. Stopped and reaped when the object
// goes.
class BridgeRun {
 public:
  BridgeRun(const std::filesystem::path& folder, const std::string& script,
            const std::string& messages = "bridge.log", const std::string& socket = "console.sock",
            const std::vector<std::string>& settings = {},
            const std::vector<std::string>& options = {});
  // Another game: its program and arguments.
  BridgeRun(const std::filesystem::path& folder, const std::vector<std::string>& game,
            const std::string& messages, const std::string& socket);
  ~BridgeRun();
  BridgeRun(const BridgeRun&) = delete;
  BridgeRun& operator=(const BridgeRun&) = delete;

  // True once the bridge takes connections; false when it ended first.
  bool WaitUntilServing();
  // The bridge's exit code once it ended, or nothing within the time.
  std::optional<int> WaitForExit(std::chrono::milliseconds limit = kPatience);
  bool running();
  const std::filesystem::path& socket() const { return socket_; }
  // What the bridge itself printed.
  std::string messages() const;

 private:
  void Start(const std::vector<std::string>& game, const std::vector<std::string>& options);

  std::filesystem::path socket_;
  std::filesystem::path messages_;
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

// A socket file that no process listens on, as a bridge that was killed leaves it.
void MakeStaleSocket(const std::filesystem::path& path);

}  // namespace mrv::test
