// The game's console as the capture sees it: the text of its output box, which can be
// read and emptied of what was read, and its input line, into which commands are
// typed.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "capture/platform.h"

namespace mrv {

class GameConsole {
 public:
  virtual ~GameConsole() = default;
  // Looks for the running game's console; true when found.
  virtual bool Find() = 0;
  // Why the last Find failed although something answered in the game's place (a bridge
  // that does not speak this program's protocol); empty when the game is simply not
  // there yet.
  virtual std::string Problem() const { return {}; }
  // Characters of the output box; 0 when the console is gone.
  virtual std::size_t TextLength() = 0;
  virtual std::string Text() = 0;
  // Whether lines were lost before the last Text() could read them, because the game
  // printed faster than they were read; each loss is told once.
  virtual bool TakeLineLoss() { return false; }
  // Removes the first `length` characters of the output box, the text that was just
  // read: what the game printed since stays there for the next read.
  virtual bool DropRead(std::size_t length) = 0;
  // Types one line into the input line and presses Enter; true when the text was set.
  virtual bool TypeLine(const std::string& line) = 0;
  // Typed characters the game still has to read before it has read the last line typed
  // here (lines typed by others before it included): it reads them at its own pace. 0
  // once it has read that line.
  virtual std::size_t UnreadTyping() { return 0; }
  // Whether typed lines reach the game now.
  virtual bool CanType() const { return true; }
  // Whether the game will never read typed lines (a followed log file, a game whose
  // terminal console is off), rather than not yet.
  virtual bool ReadsNoInput() const { return !CanType(); }
  // Returns when the output box may have changed, or after the timeout.
  virtual void WaitForChange(std::chrono::milliseconds timeout) = 0;
  // While set, every wait of the console for the game ends soon after the token was
  // cancelled. The token must outlive the setting; null ends it.
  virtual void FollowCancel(const CancelToken* /*cancel*/) {}
};

}  // namespace mrv
