// The fake game with its console window, for the tests of the Windows console: it
// runs a script of tests/data/fake_game (or one at an absolute path).
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "support/game_script.h"
#include "support/child_process.h"

namespace mrv::test {

class WindowGame {
 public:
  // What the game prints goes to FOLDER/game.out as well.
  WindowGame(const std::filesystem::path& folder, const std::string& script);

  // True once its console window can be found; false when the game ended first.
  bool WaitUntilShown();
  std::optional<int> WaitForExit(std::chrono::milliseconds limit = kPatience) {
    return process_.Wait(limit);
  }
  bool running() { return process_.running(); }

 private:
  ChildProcess process_;
};

}  // namespace mrv::test
