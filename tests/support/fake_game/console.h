// The fake game's console as its script drives it: on Windows the console window the
// game opens ("Q3 WinConsole"), elsewhere its terminal console.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "support/fake_game/game_commands.h"

namespace mrv::fake_game {

class Console {
 public:
  virtual ~Console() = default;
  // Prints one console line (colour codes as the game has them).
  virtual void Print(const std::string& text) = 0;
  // The script's "console": the game starts reading typed commands, where it can.
  virtual void Start() = 0;
  // Reads and runs typed commands until the deadline, or until "quit" was typed.
  virtual void Serve(std::chrono::steady_clock::time_point deadline) = 0;
  // Between two script lines, the way the game ends a frame: the window answers what
  // other programs sent it meanwhile.
  virtual void EndFrame() {}

  GameCommands commands;
  // The terminal console takes one typed byte per this time, as a game reads one a
  // frame; all that is there at once when zero. The window gets whole typed lines.
  std::chrono::milliseconds pace{0};
};

// The console of this system; `terminal_console` false is "+set ttycon 0".
std::unique_ptr<Console> OpenConsole(bool terminal_console);

}  // namespace mrv::fake_game
