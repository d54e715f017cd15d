// The game's console as the capture sees it: the text of its output box, which can be
// read and replaced, and its input line, into which commands are typed.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace mrv {

class GameConsole {
 public:
  virtual ~GameConsole() = default;
  // Looks for the running game's console; true when found.
  virtual bool Find() = 0;
  // Characters of the output box; 0 when the console is gone.
  virtual std::size_t TextLength() = 0;
  virtual std::string Text() = 0;
  virtual bool ReplaceText(const std::string& text) = 0;
  // Types one line into the input line and presses Enter; true when the text was set.
  virtual bool TypeLine(const std::string& line) = 0;
  // Whether typed lines can reach the game at all (a followed log file cannot).
  virtual bool CanType() const { return true; }
  // Returns when the output box may have changed, or after the timeout.
  virtual void WaitForChange(std::chrono::milliseconds timeout) = 0;
};

}  // namespace mrv
