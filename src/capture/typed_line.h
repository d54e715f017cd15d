// A line the capture types into the game's console, built from the program's own
// command words and from text that came from the game (nicknames), which are kept
// apart so that the game's text can never become a command of its own. Every line the
// capture types is one of these (CaptureSession::Type takes nothing else), so the rules
// below hold for every console, the bridge's and the Windows console window alike.
//
// The game runs a typed line as commands split at ";" outside double quotes, and
// ioquake3 engines also split it after a "/* */" comment and ignore the rest after
// "//". So in the game's text ";" becomes ":", a double quote "'", and "\" and "/"
// become "|", and that text is cut to kMaxGameText bytes, which keeps every reply
// within the 255 characters the console takes. The game's terminal console takes
// printable 7-bit characters only: a byte of 0x80 or above, or a control byte, makes it
// drop what is queued. So any other byte, in either part, becomes "?".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mrv {

class TypedLine {
 public:
  static constexpr std::size_t kMaxGameText = 64;

  TypedLine() = default;
  explicit TypedLine(std::string_view words) { Add(words); }

  // The program's own command words, quotes and separators.
  TypedLine& Add(std::string_view words);
  // Text that came from the game, made inert.
  TypedLine& AddFromGame(std::string_view text);

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace mrv
