// Value lists of the saved game and profile files: decimal integers, each followed by
// ";", on one line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mrv {

std::string IntsToText(std::span<const std::int32_t> values);
std::string BytesToText(std::span<const std::uint8_t> values);

// Every value of these files counts something (kills, hits, seconds, flags), so a
// negative one is damage, never data.
enum class ListLength {
  kExact,   // a saved game's list holds exactly one value per entry
  kAtMost,  // a profile's may hold fewer: the entries after them stay unchanged
};

// Adds the list's counts to target[0], target[1], ...: non-negative integers, at most
// one per entry. False when a field is not such an integer, when text remains after
// target.size() fields, or (kExact) when there are fewer fields.
bool TextToCounts(std::string_view text, std::span<std::int32_t> target, ListLength length);
// Reads exactly one value from 0 to 255 per entry into target.
bool TextToBytes(std::string_view text, std::span<std::uint8_t> target);

}  // namespace mrv
