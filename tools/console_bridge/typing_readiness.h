// Whether the game reads what is typed into its terminal. The terminal tells it best: a
// game whose terminal console started has turned canonical mode (and echo) off on it, to
// read typed bytes one at a time, whatever it printed. The game's own lines are signals
// as well, taken only as lines of their own, so that chat quoting them changes nothing:
// older games print "Started tty console ..." when it starts, current ones print "tty
// console mode disabled" when it will not start. A terminal still canonical long after
// the game started means the same: nothing typed is read.
#pragma once

#include <chrono>
#include <string_view>

#include "capture/console/bridge_protocol.h"

namespace mrv::bridge {

class TypingReadiness {
 public:
  using Clock = std::chrono::steady_clock;

  // The game started now; a terminal canonical for longer than the limit means off.
  explicit TypingReadiness(std::chrono::milliseconds canonical_limit)
      : started_(Clock::now()), canonical_limit_(canonical_limit) {}

  // A whole console line the game printed, colour codes removed, without its break.
  void OnLine(std::string_view line);
  // The state now, from the terminal's master side (-1 once nobody holds the terminal).
  TypingState State(int terminal) const;

 private:
  Clock::time_point started_;
  std::chrono::milliseconds canonical_limit_;
  bool said_started_ = false;
  bool said_off_ = false;
};

}  // namespace mrv::bridge
