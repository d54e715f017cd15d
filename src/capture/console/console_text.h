// The game's console text the way its console window shows it, built from the raw
// output the game prints on a terminal or into its log file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mrv {

// Colour codes ("^" and a digit), terminal escape sequences and other control bytes are
// removed, and every line ends with CR LF whatever break the game printed (CR, LF or
// CR LF). Only whole lines are kept: a line joins the text once its break has arrived,
// so a reader that counts lines never handles half a line. The text holds at most
// `capacity` bytes; past that the oldest lines are dropped. Positions in the whole
// output since the start (begin(), end()) stay valid however much was dropped.
class ConsoleText {
 public:
  static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

  explicit ConsoleText(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

  // Adds raw output, which may end anywhere, even inside a colour code. Returns the
  // whole lines it completed: a view into text(), valid until the next change.
  std::string_view Append(std::string_view raw);
  const std::string& text() const { return text_; }
  // Where text() starts and ends in the whole output.
  std::uint64_t begin() const { return begin_; }
  std::uint64_t end() const { return begin_ + text_.size(); }
  // Drops the first `count` bytes of the kept text (all of it when there are fewer);
  // a line still arriving is not touched.
  void DropFront(std::size_t count);
  // Forgets everything, the line still arriving included: its source starts anew.
  void Clear();

 private:
  enum class State { kPlain, kCaret, kEscape, kControlSequence, kOperatingCommand, kCommandEscape };

  void Add(char c);
  void AddPlain(char c);
  void EndLine();
  void DropOldestLines();

  std::size_t capacity_;
  std::string text_;
  std::uint64_t begin_ = 0;
  std::string line_;
  std::size_t added_ = 0;
  State state_ = State::kPlain;
  bool after_cr_ = false;  // a CR ended the last line: an LF right after it is the same break
};

}  // namespace mrv
