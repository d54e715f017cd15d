#include "files/value_list.h"

#include "model/text.h"

namespace mrv {

std::string IntsToText(std::span<const std::int32_t> values) {
  std::string text;
  text.reserve(values.size() * 3);
  for (auto v : values) {
    text += std::to_string(v);
    text += ';';
  }
  return text;
}

std::string BytesToText(std::span<const std::uint8_t> values) {
  std::string text;
  for (auto v : values) {
    text += std::to_string(v);
    text += ';';
  }
  return text;
}

namespace {

// Walks the fields of a list and hands each value to `take`, which refuses a value by
// returning false; the number of values taken, or -1 when a field is no integer, a
// value is refused or text remains after `count` fields.
template <typename Take>
int ReadList(std::string_view text, std::size_t count, Take take) {
  std::size_t taken = 0;
  while (!text.empty() && taken < count) {
    const auto end = text.find(';');
    const auto value = ParseInt32(text.substr(0, end));
    if (!value || !take(taken, *value)) return -1;
    ++taken;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return text.empty() ? static_cast<int>(taken) : -1;
}

}  // namespace

bool TextToCounts(std::string_view text, std::span<std::int32_t> target, ListLength length) {
  const int taken = ReadList(text, target.size(), [&](std::size_t i, std::int32_t v) {
    target[i] = SaturatingAdd(target[i], v);
    return v >= 0;
  });
  return length == ListLength::kExact ? taken == static_cast<int>(target.size()) : taken >= 0;
}

bool TextToBytes(std::string_view text, std::span<std::uint8_t> target) {
  const int taken = ReadList(text, target.size(), [&](std::size_t i, std::int32_t v) {
    target[i] = static_cast<std::uint8_t>(v);
    return v >= 0 && v <= 255;
  });
  return taken == static_cast<int>(target.size());
}

}  // namespace mrv
