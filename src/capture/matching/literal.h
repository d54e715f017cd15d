// A literal text that is searched for in many lines, prepared once.
//
// The search looks for two of the text's least common bytes at once, 16 line
// positions at a time, and compares the whole text only where both stand; console
// text is mostly letters and blanks, so a middle text such as " was pistol whipped by "
// is tested in full at very few places. The result is exactly that of
// std::string_view::find, which is the reference the tests compare it with.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/wide_text.h"

namespace mrv {

class Literal {
 public:
  Literal() = default;
  explicit Literal(std::string_view text);

  const std::string& text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  // Most console lines are no longer than this: they are searched inline, with no call.
  static constexpr std::size_t kShortLine = 64;

  // Position of the first occurrence at or after `from`, or npos.
  std::size_t FindIn(std::string_view line, std::size_t from = 0) const {
#if defined(__SSE2__)
    if (line.size() >= 16 && line.size() <= kShortLine && text_.size() >= 2 &&
        from + text_.size() <= line.size()) {
      return FindInShortLine(line, from);
    }
#endif
    return FindInAnyLine(line, from);
  }

 private:
  std::size_t FindInAnyLine(std::string_view line, std::size_t from) const;
#if defined(__SSE2__)
  // For a line of 16 to 64 bytes, a bit for each start where the two bytes stand as in
  // the text; the text is compared in full only there.
  std::size_t FindInShortLine(std::string_view line, std::size_t from) const {
    const std::size_t n = line.size();
    const std::size_t last = n - text_.size();  // the last start the text fits at
    const auto first = _mm_load_si128(reinterpret_cast<const __m128i*>(first_bytes_));
    const auto second = _mm_load_si128(reinterpret_cast<const __m128i*>(second_bytes_));
    auto load = [&line](std::size_t at) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + at));
    };
    auto bits = [](__m128i equal) {
      return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(equal))};
    };
    std::uint64_t starts = 0;
    if (last >= 15) {
      // 16 starts at a time, both bytes compared where they stand for each; the last
      // block overlaps the one before.
      for (std::size_t at = 0;; at = at + 31 <= last ? at + 16 : last - 15) {
        starts |= bits(_mm_and_si128(_mm_cmpeq_epi8(load(at + first_anchor_), first),
                                     _mm_cmpeq_epi8(load(at + second_anchor_), second)))
                  << at;
        if (at == last - 15) break;
      }
    } else {
      // Fewer starts than a block: where each byte stands in the line, 16 bytes at a
      // time, then the starts where both do.
      std::uint64_t firsts = 0;
      std::uint64_t seconds = 0;
      for (std::size_t at = 0;; at = at + 32 <= n ? at + 16 : n - 16) {
        firsts |= bits(_mm_cmpeq_epi8(load(at), first)) << at;
        seconds |= bits(_mm_cmpeq_epi8(load(at), second)) << at;
        if (at == n - 16) break;
      }
      starts = (firsts >> first_anchor_) & (seconds >> second_anchor_) &
               (~std::uint64_t{0} >> (63 - last));
    }
    for (starts &= ~std::uint64_t{0} << from; starts != 0; starts &= starts - 1) {
      const auto found = static_cast<std::size_t>(std::countr_zero(starts));
      if (SameBytes(line.data() + found, text_.data(), text_.size())) return found;
    }
    return std::string_view::npos;
  }
#endif

  std::string text_;
  // Offsets in the text of the two bytes the search looks for first, and each of the
  // two bytes 16 times.
  std::size_t first_anchor_ = 0;
  std::size_t second_anchor_ = 0;
  alignas(16) char first_bytes_[16] = {};
  alignas(16) char second_bytes_[16] = {};
};

}  // namespace mrv
