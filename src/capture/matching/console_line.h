// A console line with what the template sets look at besides its ending, worked out
// once per line: a summary of the byte pairs it holds, which rules out templates whose
// texts it cannot contain. Every set of templates takes the same ConsoleLine, so rule
// sets added later for other game texts cost no new pass over the line.
#pragma once

#include <cstdint>
#include <string_view>

namespace mrv {

class ConsoleLine {
 public:
  explicit ConsoleLine(std::string_view text) : text_(text) {}

  std::string_view text() const { return text_; }
  std::size_t size() const { return text_.size(); }

  // One bit for each pair of neighbouring bytes in the line, 64 bits in all: a text
  // with a pair whose bit is clear does not occur in the line. Worked out on first use.
  std::uint64_t pairs() const {
    if (!has_pairs_) {
      pairs_ = WidePairsOf(text_);
      has_pairs_ = true;
    }
    return pairs_;
  }

  static std::uint64_t PairsOf(std::string_view text) {
    std::uint64_t bits = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
      const unsigned pair =
          static_cast<unsigned char>(text[i - 1]) * 31u + static_cast<unsigned char>(text[i]);
      bits |= std::uint64_t{1} << (pair & 63);
    }
    return bits;
  }
  // The same, its pair numbers worked out 16 at a time.
  static std::uint64_t WidePairsOf(std::string_view text);

 private:
  std::string_view text_;
  mutable std::uint64_t pairs_ = 0;
  mutable bool has_pairs_ = false;
};

}  // namespace mrv
