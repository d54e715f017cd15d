#include "console_bridge/typing_readiness.h"

#include <termios.h>

#include <algorithm>
#include <array>

namespace mrv::bridge {

namespace {

constexpr std::array<std::string_view, 2> kStartedLines = {
    "Started tty console (use +set ttycon 0 to disable)", "Started tty console"};
constexpr std::array<std::string_view, 3> kOffLines = {
    "tty console mode disabled", "stdin is not a tty, tty console mode failed",
    "tty console mode failed"};

bool OneOf(std::string_view line, const auto& lines) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

void TypingReadiness::OnLine(std::string_view line) {
  if (OneOf(line, kStartedLines)) said_started_ = true;
  if (OneOf(line, kOffLines)) said_off_ = true;
}

TypingState TypingReadiness::State(int terminal) const {
  if (terminal < 0) return TypingState::kOff;
  termios mode{};
  // The master side shows the mode the game set on its side of the terminal.
  const bool canonical = tcgetattr(terminal, &mode) != 0 || (mode.c_lflag & ICANON) != 0;
  if (!canonical || said_started_) return TypingState::kReady;
  if (said_off_ || Clock::now() - started_ > canonical_limit_) return TypingState::kOff;
  return TypingState::kNotYet;
}

}  // namespace mrv::bridge
