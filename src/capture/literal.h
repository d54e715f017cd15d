// A literal text that is searched for in many lines, prepared once.
//
// The search looks for two of the text's least common bytes at once, 16 line
// positions at a time, and compares the whole text only where both stand; console
// text is mostly letters and blanks, so a middle text such as " was pistol whipped by "
// is tested in full at very few places. The result is exactly that of
// std::string_view::find, which is the reference the tests compare it with.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mrv {

class Literal {
 public:
  Literal() = default;
  explicit Literal(std::string_view text);

  const std::string& text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  // Position of the first occurrence at or after `from`, or npos.
  std::size_t FindIn(std::string_view line, std::size_t from = 0) const;

 private:
  std::string text_;
  // Offsets in the text of the two bytes the search looks for first.
  std::size_t first_anchor_ = 0;
  std::size_t second_anchor_ = 0;
};

}  // namespace mrv
