// Text read eight bytes at a time, for what a capture does with nearly every line: the
// compares of short texts, the nickname lookups, which ignore letter case (ASCII
// letters only, as EqualsIgnoreCase), and the test that a name to store holds no line
// break.
//
// A text is read as words of eight bytes, the last one overlapping the one before it; a
// text shorter than a word is gathered into one from its own bytes. No byte outside the
// text is read.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mrv {

// The word with each ASCII lower-case letter made upper case; other bytes, those above
// 127 included, stay as they are.
inline std::uint64_t FoldWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  const std::uint64_t low_seven = word & (0x7F * kOnes);
  // The top bit of each byte tells: at least 'a', above 'z'. No sum carries into the
  // byte above it.
  const std::uint64_t from_a = low_seven + (0x80 - 'a') * kOnes;
  const std::uint64_t past_z = low_seven + (0x80 - 'z' - 1) * kOnes;
  const std::uint64_t lower = from_a & ~past_z & ~word & (0x80 * kOnes);
  return word - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

inline std::uint64_t WordAt(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, 8);
  return word;
}

// A text of fewer than eight bytes as one word; two texts of one length give the same
// word only when their bytes are the same.
inline std::uint64_t ShortWord(const char* text, std::size_t n) {
  if (n >= 4) {
    std::uint32_t first, last;
    std::memcpy(&first, text, 4);
    std::memcpy(&last, text + n - 4, 4);
    return first | std::uint64_t{last} << 32;
  }
  if (n == 0) return 0;
  return static_cast<unsigned char>(text[0]) | static_cast<unsigned char>(text[n / 2]) << 8 |
         static_cast<unsigned char>(text[n - 1]) << 16;
}

// memcmp(a, b, n) == 0, a word at a time and with no call: for the short texts a
// capture compares in every line.
inline bool SameBytes(const char* a, const char* b, std::size_t n) {
  if (n < 8) return ShortWord(a, n) == ShortWord(b, n);
  if (n <= 16) return WordAt(a) == WordAt(b) && WordAt(a + n - 8) == WordAt(b + n - 8);
  // Death messages' endings and middle texts are mostly 17 to 32 bytes.
  if (n <= 32) {
    return WordAt(a) == WordAt(b) && WordAt(a + 8) == WordAt(b + 8) &&
           WordAt(a + n - 16) == WordAt(b + n - 16) && WordAt(a + n - 8) == WordAt(b + n - 8);
  }
  return std::memcmp(a, b, n) == 0;
}
inline bool StartsWithBytes(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && SameBytes(text.data(), start.data(), start.size());
}
inline bool EndsWithBytes(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         SameBytes(text.data() + text.size() - end.size(), end.data(), end.size());
}

// EqualsIgnoreCase, a word at a time.
inline bool EqualsIgnoringCaseWide(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  auto same = [](std::uint64_t x, std::uint64_t y) { return x == y || FoldWord(x) == FoldWord(y); };
  if (n < 8) return same(ShortWord(a.data(), n), ShortWord(b.data(), n));
  for (std::size_t at = 0;; at = std::min(at + 8, n - 8)) {
    if (!same(WordAt(a.data() + at), WordAt(b.data() + at))) return false;
    if (at == n - 8) return true;
  }
}

// Calls `each(word)` for the words of the text until it returns false; false then.
template <typename Each>
inline bool AllWords(std::string_view text, Each each) {
  const std::size_t n = text.size();
  if (n < 8) return each(ShortWord(text.data(), n));
  for (std::size_t at = 0;; at = std::min(at + 8, n - 8)) {
    if (!each(WordAt(text.data() + at))) return false;
    if (at == n - 8) return true;
  }
}

// Whether a CR or an LF stands in the word.
inline bool HoldsLineBreak(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  auto holds_zero = [](std::uint64_t x) { return ((x - kOnes) & ~x & (0x80 * kOnes)) != 0; };
  return holds_zero(word ^ '\r' * kOnes) || holds_zero(word ^ '\n' * kOnes);
}

// Whether a CR or an LF stands in the text.
inline bool HoldsLineBreak(std::string_view text) {
  if (text.size() < 8) return HoldsLineBreak(ShortWord(text.data(), text.size()));
  return !AllWords(text, [](std::uint64_t word) { return !HoldsLineBreak(word); });
}

// A hash of the text with its letter case ignored.
inline std::uint64_t HashIgnoringCase(std::string_view text) {
  const std::size_t n = text.size();
  std::uint64_t hash = n * 0x9E3779B97F4A7C15;
  AllWords(text, [&hash](std::uint64_t word) {
    hash = (hash ^ FoldWord(word)) * 0xBF58476D1CE4E5B9;
    return true;
  });
  // Every bit of the words reaches the low bits, which hash tables index by.
  hash = (hash ^ hash >> 32) * 0xD6E8FEB86659FD93;
  return hash ^ hash >> 32;
}

}  // namespace mrv
