// A console line with what the template sets look at first, worked out once per line:
// its last bytes, which tell the templates whose ending the line can have, and a summary
// of the byte pairs it holds, which rules out templates whose texts it cannot contain.
// Every set of templates takes the same ConsoleLine, so rule sets added later for other
// game texts cost no new pass over the line.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace mrv {

class ConsoleLine {
 public:
  explicit ConsoleLine(std::string_view text) : text_(text) {
    for (const char c : text.substr(text.size() < 3 ? 0 : text.size() - 3)) {
      last_three_ = last_three_ << 8 | static_cast<unsigned char>(c);
    }
  }

  std::string_view text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  // The last `length` bytes (1 to 3, no more than the line holds) as a key, the
  // earliest byte highest.
  std::uint32_t ending(std::size_t length) const {
    return length >= 3 ? last_three_ : last_three_ & ((1u << (8 * length)) - 1);
  }
  unsigned char last_byte() const { return static_cast<unsigned char>(last_three_ & 0xFF); }

  // One bit for each pair of neighbouring bytes in the line, 64 bits in all: a text
  // with a pair whose bit is clear does not occur in the line. Worked out on first use.
  std::uint64_t pairs() const {
    if (!has_pairs_) {
      pairs_ = PairsOf(text_);
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

 private:
  std::string_view text_;
  std::uint32_t last_three_ = 0;
  mutable std::uint64_t pairs_ = 0;
  mutable bool has_pairs_ = false;
};

}  // namespace mrv
