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

// Adds the list's values to target[0], target[1], ... for at most count fields.
// False when a field is not an integer or text remains after count fields; fewer
// fields leave the remaining entries unchanged.
bool TextToInts(std::string_view text, std::span<std::int32_t> target, int count);
// The same for bytes, which add modulo 256.
bool TextToBytes(std::string_view text, std::span<std::uint8_t> target, int count);

}  // namespace mrv
