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

// Walks the fields of a list and hands each value to `add`; the shared rules of both
// list readers.
template <typename Add>
bool ReadList(std::string_view text, int count, Add add) {
  int taken = 0;
  while (!text.empty() && taken < count) {
    const auto end = text.find(';');
    const auto field = text.substr(0, end);
    const auto value = ParseInt32(field);
    if (!value) return false;
    add(taken, *value);
    ++taken;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return text.empty();
}

}  // namespace

bool TextToInts(std::string_view text, std::span<std::int32_t> target, int count) {
  if (count > static_cast<int>(target.size())) count = static_cast<int>(target.size());
  return ReadList(text, count, [&](int i, std::int32_t v) {
    auto& slot = target[static_cast<std::size_t>(i)];
    slot = SaturatingAdd(slot, v);
  });
}

bool TextToBytes(std::string_view text, std::span<std::uint8_t> target, int count) {
  if (count > static_cast<int>(target.size())) count = static_cast<int>(target.size());
  return ReadList(text, count, [&](int i, std::int32_t v) {
    auto& slot = target[static_cast<std::size_t>(i)];
    slot = static_cast<std::uint8_t>(slot + static_cast<std::uint8_t>(v & 0xFF));
  });
}

}  // namespace mrv
