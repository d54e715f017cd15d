// The hit locations as the game prints them, the body areas of the reports, and the
// small integer-array helpers the reports use.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace mrv {

inline constexpr int kHitLocationCount = 21;
inline constexpr int kBodyAreaCount = 11;

inline constexpr std::array<std::string_view, kHitLocationCount> HitLocations = {
    "Head",  "Neck",  "Helmet", "Left Arm", "Right Arm", "Left Hand", "Right Hand",
    "Kevlar Vest", "Chest", "Heart", "Lungs", "Spine", "Back", "Waist", "Groin", "Liver",
    "Stomach", "Right Leg", "Left Leg", "Right Foot", "Left Foot"};

inline constexpr std::array<std::string_view, kBodyAreaCount> BodyAreas = {
    "Head",     "Torso",     "Left Arm",   "Right Arm", "Waist",     "Left Leg",
    "Right Leg", "Left Hand", "Right Hand", "Left Foot", "Right Foot"};

using LocationCounts = std::array<std::int32_t, kHitLocationCount>;

// Body-area index of a hit location index (0 to 20).
int HitLocationIndexToArea(int location);
// Body-area index of a location name (exact comparison), or -1.
int HitLocationToArea(std::string_view location);

std::int64_t SumOf(std::span<const std::int32_t> values);
// The largest value, starting from -1.
std::int32_t MaxOf(std::span<const std::int32_t> values);

}  // namespace mrv
