// Text and number helpers shared by every layer: the formats the player sees in
// replies and reports, and the field splitting of the file formats.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mrv {

// "No value": the one-character text whose only byte is 255.
inline constexpr char kAbsentByte = '\xFF';
inline const std::string AbsentMark(1, kAbsentByte);

// Whole seconds as "45s", "1:5s" or "1:05:07s".
std::string FormatSeconds(std::int64_t seconds);

// The first four characters of the number in plain decimal form with 15 significant
// digits, cut and never rounded: 2/3 gives "0.66", 123.45 gives "123.".
std::string FormatRatio(double value);

// The decimal text times 1000, rounded to the nearest integer with ties to even.
// Empty when the text is not a decimal number.
std::optional<std::int64_t> ParseThousandths(std::string_view text);

// The n-th field (from 1) of the text split at the delimiter. With remove, the field
// and the delimiter that ends it are taken out of the text.
std::string ExtractField(std::string& text, char delimiter, std::uint8_t n, bool remove);

// Takes the text up to the first delimiter as token and removes it, with the
// delimiter, from the text; without a delimiter the whole text is the token.
void SplitToken(std::string& text, char delimiter, std::string& token);

// Strict decimal integer with an optional sign, no blanks, within 32 bits.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// 32-bit counter arithmetic that saturates instead of overflowing.
inline std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  if (sum > INT32_MAX) return INT32_MAX;
  if (sum < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(sum);
}
inline void Bump(std::int32_t& counter) {
  counter = SaturatingAdd(counter, 1);
}

inline bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Letter case is ignored for ASCII letters only. Inline: nickname lookups call it for
// nearly every console line.
inline bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z')) return false;
  }
  return true;
}
std::string ToLowerAscii(std::string_view text);
// "Sorted ignoring case": ASCII letters folded to lower case, then byte order.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace mrv
