#include "support/window_game.h"

#include <thread>

#include "capture/console/win32_console.h"
#include "support/paths.h"

namespace mrv::test {

WindowGame::WindowGame(const std::filesystem::path& folder, const std::string& script)
    : process_(BuiltProgram("morvane-fake-game"),
               {(TestDataDir() / "fake_game" / script).string()}, {}, folder / "game.out") {}

bool WindowGame::WaitUntilShown() {
  Win32Console probe;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (running() && std::chrono::steady_clock::now() < deadline) {
    if (probe.Find()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace mrv::test
