#include "capture/matching/literal.h"

#include <algorithm>

namespace mrv {

namespace {

// How common a byte is in console text, higher is more common: blanks, then lower-case
// letters in the order of English text, then the rest.
int Commonness(char c) {
  constexpr std::string_view kLetters = "zqxjkvbpygfwmucldrhsnioate";
  if (c == ' ') return 100;
  const std::size_t letter = kLetters.find(c);
  if (letter != std::string_view::npos) return 50 + static_cast<int>(letter);
  if (c == '.' || c == '\'') return 40;
  return 0;
}

}  // namespace

Literal::Literal(std::string_view text) : text_(text) {
  if (text_.size() < 2) return;
  // The rarest byte, and the rarest other one that is neither its neighbour nor the same
  // byte again, where the text has one: bytes that stand together in the text stand
  // together in other texts too (" by " ends most kill messages).
  first_anchor_ = 0;
  for (std::size_t i = 1; i < text_.size(); ++i) {
    if (Commonness(text_[i]) < Commonness(text_[first_anchor_])) first_anchor_ = i;
  }
  auto apart = [&](std::size_t i) {
    return text_[i] != text_[first_anchor_] && (i + 1 < first_anchor_ || i > first_anchor_ + 1);
  };
  auto better = [&](std::size_t i, std::size_t than) {
    if (apart(i) != apart(than)) return apart(i);
    return Commonness(text_[i]) < Commonness(text_[than]);
  };
  second_anchor_ = first_anchor_ == 0 ? 1 : 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (i != first_anchor_ && better(i, second_anchor_)) second_anchor_ = i;
  }
  std::memset(first_bytes_, text_[first_anchor_], sizeof first_bytes_);
  std::memset(second_bytes_, text_[second_anchor_], sizeof second_bytes_);
}

std::size_t Literal::FindInAnyLine(std::string_view line, std::size_t from) const {
  const std::size_t m = text_.size();
  if (m < 2 || line.size() < m || from > line.size() - m) return line.find(text_, from);
  const char* data = line.data();
  const std::size_t last = line.size() - m;  // the last position the text can start at
  std::size_t at = from;
#if defined(__SSE2__)
  // 16 start positions at a time; the last block overlaps the one before, its
  // positions already tried masked off, so that no position is tried one by one.
  const auto first = _mm_load_si128(reinterpret_cast<const __m128i*>(first_bytes_));
  const auto second = _mm_load_si128(reinterpret_cast<const __m128i*>(second_bytes_));
  if (last - at + 1 >= 16) {
    for (;;) {
      const std::size_t block = std::min(at, last - 15);
      const __m128i a =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + block + first_anchor_));
      const __m128i b =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + block + second_anchor_));
      auto candidates = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second))));
      candidates &= ~0u << (at - block);  // positions before `at` were tried
      while (candidates != 0) {
        const std::size_t found = block + static_cast<std::size_t>(std::countr_zero(candidates));
        if (SameBytes(data + found, text_.data(), m)) return found;
        candidates &= candidates - 1;
      }
      if (block + 15 >= last) return std::string_view::npos;
      at = block + 16;
    }
  }
#endif
  for (; at <= last; ++at) {
    if (data[at + first_anchor_] == text_[first_anchor_] &&
        data[at + second_anchor_] == text_[second_anchor_] &&
        SameBytes(data + at, text_.data(), m)) {
      return at;
    }
  }
  return std::string_view::npos;
}

}  // namespace mrv
