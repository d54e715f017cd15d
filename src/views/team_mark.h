// A player's team as the viewer marks it: the colour of his name, his flag icon and
// the icon's index in the overall table and the weapon details list.
#pragma once

#include <cstdint>

namespace mrv {

enum class TeamMark { kBlue, kRed, kBoth, kNone };

// From a merged team (0 none, 1 red, 2 blue, 3 both).
constexpr TeamMark MarkOfMergedTeam(int merged) {
  switch (merged) {
    case 2:
      return TeamMark::kBlue;
    case 1:
      return TeamMark::kRed;
    case 3:
      return TeamMark::kBoth;
    default:
      return TeamMark::kNone;
  }
}

// The colour a player's name is written in, opaque, as 0xAARRGGBB (Qt's QRgb).
constexpr std::uint32_t TeamColour(TeamMark mark) {
  switch (mark) {
    case TeamMark::kBlue:
      return 0xFF0053A6;
    case TeamMark::kRed:
      return 0xFF9F0000;
    case TeamMark::kBoth:
      return 0xFFFFFFFF;
    case TeamMark::kNone:
      break;
  }
  return 0xFFC0C0C0;
}

// The row icon's image index: 3 blue, 4 red, 5 both teams, 6 no team.
constexpr int TeamImageIndex(TeamMark mark) {
  return 3 + static_cast<int>(mark);
}

}  // namespace mrv
