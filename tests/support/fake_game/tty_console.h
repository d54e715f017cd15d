// The fake game's terminal console: reads typed characters from a terminal the way the
// game does (raw mode, its own echo on standard output) and runs the typed commands.
#pragma once

#include <chrono>
#include <string>

#include "support/fake_game/console.h"

namespace mrv::fake_game {

class TtyConsole final : public Console {
 public:
  explicit TtyConsole(bool enabled) : enabled_(enabled) {}
  ~TtyConsole() override;

  // Everything printed goes to standard error with a line break, as the game prints.
  void Print(const std::string& text) override;
  // Starts the terminal console as current engines do: canonical mode and echo off, no
  // message; typed commands are read from then on. Without a terminal it says so.
  void Start() override;
  void Serve(std::chrono::steady_clock::time_point deadline) override;

 private:
  // False when the byte made the game drop what was typed after it.
  bool OnByte(char byte);

  bool enabled_;
  bool reading_ = false;
  bool raw_mode_set_ = false;
  std::chrono::steady_clock::time_point next_byte_;
  std::string editing_;
};

}  // namespace mrv::fake_game
