#include "model/body.h"

#include <algorithm>

namespace mrv {

namespace {
constexpr std::array<int, kHitLocationCount> kAreaOfLocation = {
    0, 0, 0,           // Head, Neck, Helmet
    2, 3, 7, 8,        // Left Arm, Right Arm, Left Hand, Right Hand
    1, 1, 1, 1, 1, 1,  // Kevlar Vest to Back
    4, 4, 4, 4,        // Waist, Groin, Liver, Stomach
    6, 5, 10, 9};      // Right Leg, Left Leg, Right Foot, Left Foot
}  // namespace

int HitLocationIndexToArea(int location) {
  if (location < 0 || location >= kHitLocationCount) return -1;
  return kAreaOfLocation[static_cast<std::size_t>(location)];
}

int HitLocationToArea(std::string_view location) {
  const auto it = std::find(HitLocations.begin(), HitLocations.end(), location);
  if (it == HitLocations.end()) return -1;
  return HitLocationIndexToArea(static_cast<int>(it - HitLocations.begin()));
}

std::int64_t SumOf(std::span<const std::int32_t> values) {
  std::int64_t sum = 0;
  for (auto v : values) sum += v;
  return sum;
}

std::int32_t MaxOf(std::span<const std::int32_t> values) {
  std::int32_t best = -1;
  for (auto v : values) best = std::max(best, v);
  return best;
}

}  // namespace mrv
