#include "model/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mrv {

std::string FormatSeconds(std::int64_t seconds) {
  if (seconds <= 59) return std::to_string(seconds) + "s";
  const std::int64_t minutes = seconds / 60;
  const std::int64_t rest = seconds % 60;
  if (minutes <= 59) return std::to_string(minutes) + ":" + std::to_string(rest) + "s";
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02llds", static_cast<long long>(minutes / 60),
                static_cast<long long>(minutes % 60), static_cast<long long>(rest));
  return buffer;
}

std::string FormatRatio(double value) {
  if (!std::isfinite(value)) return "N/A";
  // The number in plain decimal notation with 15 significant digits, without trailing
  // zeros or a trailing point, cut to its first four characters. Built in place, as a
  // report formats a ratio for every row: "%.14e" first, through to_chars.
  char scientific[40];
  char* end = std::to_chars(scientific, scientific + sizeof scientific - 1, value,
                            std::chars_format::scientific, 14)
                  .ptr;
  *end = '\0';
  const bool negative = scientific[0] == '-';
  const char* mantissa = scientific + (negative ? 1 : 0);
  const char* e = std::strchr(mantissa, 'e');
  const int exponent = std::atoi(e + 1);
  char digits[16];
  int count = 0;
  for (const char* at = mantissa; at < e; ++at) {
    if (*at != '.') digits[count++] = *at;
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  if (count == 1 && digits[0] == '0') return "0";  // zero, of either sign
  std::string text;
  const auto put = [&text](char c) {
    if (text.size() < 4) text += c;
  };
  if (negative) put('-');
  if (exponent < 0) {
    put('0');
    put('.');
    for (int zero = 0; zero < -exponent - 1 && text.size() < 4; ++zero) put('0');
    for (int i = 0; i < count; ++i) put(digits[i]);
  } else if (exponent + 1 >= count) {
    for (int i = 0; i < count; ++i) put(digits[i]);
    for (int zero = 0; zero < exponent + 1 - count && text.size() < 4; ++zero) put('0');
  } else {
    for (int i = 0; i <= exponent; ++i) put(digits[i]);
    put('.');
    for (int i = exponent + 1; i < count; ++i) put(digits[i]);
  }
  return text;
}

std::optional<std::int64_t> ParseThousandths(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  auto all_digits = [](std::string_view part) {
    for (char c : part)
      if (c < '0' || c > '9') return false;
    return true;
  };
  if (!all_digits(whole) || !all_digits(fraction) || whole.size() > 15) return std::nullopt;
  std::int64_t result = 0;
  for (char c : whole) result = result * 10 + (c - '0');
  for (std::size_t i = 0; i < 3; ++i) {
    result = result * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  // Round on the digits beyond the thousandths, exactly as written.
  if (fraction.size() > 3) {
    const std::string_view beyond = fraction.substr(3);
    const int first = beyond[0] - '0';
    const bool rest_nonzero = beyond.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > 5 || (first == 5 && (rest_nonzero || result % 2 == 1))) ++result;
  }
  return negative ? -result : result;
}

std::string ExtractField(std::string& text, char delimiter, std::uint8_t n, bool remove) {
  if (text.empty() || n == 0) return {};
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const auto next = text.find(delimiter, start);
    if (next == std::string::npos) return {};
    start = next + 1;
  }
  const auto end = text.find(delimiter, start);
  const std::size_t length = (end == std::string::npos ? text.size() : end) - start;
  std::string field = text.substr(start, length);
  if (remove) text.erase(start, end == std::string::npos ? length : length + 1);
  return field;
}

void SplitToken(std::string& text, char delimiter, std::string& token) {
  const auto p = text.find(delimiter);
  if (p == std::string::npos) {
    token = std::move(text);
    text.clear();
    return;
  }
  token = text.substr(0, p);
  text.erase(0, p + 1);
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace mrv
