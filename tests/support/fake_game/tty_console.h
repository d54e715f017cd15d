// The fake game's terminal console: reads typed characters from a terminal the way the
// game does (raw mode, its own echo on standard output) and runs the typed commands.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace mrv::fake_game {

// Everything printed goes to standard error with a line break, as the game prints.
void PrintLine(const std::string& text);

class TtyConsole {
 public:
  ~TtyConsole();

  // Starts the terminal console as current engines do: canonical mode and echo off, no
  // message; typed commands are read from then on. Without a terminal it says so.
  void Start();
  // Reads and runs typed commands until the deadline.
  void Serve(std::chrono::steady_clock::time_point deadline);
  // Waits up to the deadline for a typed line containing the text; true when one came.
  // Lines typed before are searched too, each line matches once.
  bool Expect(const std::string& text, std::chrono::steady_clock::time_point deadline);

  // The typed command "quit" was run: the game ends.
  bool quit_requested() const { return quit_requested_; }

  std::string map = "nomap";
  std::string name = "UnnamedPlayer";
  // The game takes one typed byte per this time, as a game reads one a frame; all that
  // is there at once when zero.
  std::chrono::milliseconds pace{0};

 private:
  // False when the byte made the game drop what was typed after it.
  bool OnByte(char byte);
  void Run(const std::string& line);
  void RunCommand(const std::vector<std::string>& words);

  bool reading_ = false;
  bool quit_requested_ = false;
  bool raw_mode_set_ = false;
  std::chrono::steady_clock::time_point next_byte_;
  std::string editing_;
  std::vector<std::string> typed_;
};

}  // namespace mrv::fake_game
