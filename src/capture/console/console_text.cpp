#include "capture/console/console_text.h"

#include <algorithm>

namespace mrv {

namespace {

constexpr char kEscape = '\x1b';
constexpr char kBell = '\x07';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7f;
}

}  // namespace

std::string_view ConsoleText::Append(std::string_view raw) {
  added_ = 0;
  for (const char c : raw) Add(c);
  DropOldestLines();
  const std::size_t kept = std::min(added_, text_.size());
  return std::string_view(text_).substr(text_.size() - kept);
}

void ConsoleText::DropFront(std::size_t count) {
  count = std::min(count, text_.size());
  text_.erase(0, count);
  begin_ += count;
}

void ConsoleText::Clear() {
  DropFront(text_.size());
  line_.clear();
  state_ = State::kPlain;
  after_cr_ = false;
}

void ConsoleText::Add(char c) {
  switch (state_) {
    case State::kPlain:
      AddPlain(c);
      return;
    case State::kCaret:
      state_ = State::kPlain;
      if (IsDigit(c)) return;  // a colour code: both bytes go
      line_ += '^';
      AddPlain(c);
      return;
    case State::kEscape:
      // ESC [ starts a control sequence, ESC ] an operating system command; any other
      // escape is ESC, intermediate bytes (0x20 to 0x2f) and one final byte.
      if (c == '[') {
        state_ = State::kControlSequence;
      } else if (c == ']') {
        state_ = State::kOperatingCommand;
      } else if (c < 0x20 || c > 0x2f) {
        state_ = State::kPlain;
      }
      return;
    case State::kControlSequence:
      if (c >= 0x40 && c <= 0x7e) state_ = State::kPlain;
      return;
    case State::kOperatingCommand:
      if (c == kBell) {
        state_ = State::kPlain;
      } else if (c == kEscape) {
        state_ = State::kCommandEscape;
      } else if (c == '\n') {
        // Never let a broken sequence swallow the lines after it.
        state_ = State::kPlain;
        AddPlain(c);
      }
      return;
    case State::kCommandEscape:
      state_ = c == '\\' ? State::kPlain : State::kOperatingCommand;
      return;
  }
}

void ConsoleText::AddPlain(char c) {
  const bool same_break = after_cr_ && c == '\n';
  after_cr_ = false;
  if (same_break) return;
  if (c == '\r' || c == '\n') {
    EndLine();
    after_cr_ = c == '\r';
  } else if (c == '^') {
    state_ = State::kCaret;
  } else if (c == kEscape) {
    state_ = State::kEscape;
  } else if (!IsControl(c) || c == '\t') {
    line_ += c;
    // A line that never ends is broken while it still fits the text with room to spare.
    if (line_.size() >= capacity_ / 4) EndLine();
  }
}

void ConsoleText::EndLine() {
  line_ += "\r\n";
  text_ += line_;
  added_ += line_.size();
  line_.clear();
}

void ConsoleText::DropOldestLines() {
  if (text_.size() <= capacity_) return;
  // Drop down to three quarters of the capacity, so that a full text is not shifted
  // again for every line that arrives.
  const std::size_t excess = text_.size() - capacity_ / 4 * 3;
  const std::size_t line_end = text_.find('\n', excess - 1);
  DropFront(line_end == std::string::npos ? text_.size() : line_end + 1);
}

}  // namespace mrv
