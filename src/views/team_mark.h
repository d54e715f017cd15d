// A player's team as the viewer marks it: the colour of his name, his flag icon and
// the icon's index in the overall table and the weapon details list.
#pragma once

#include <QRgb>

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

// The colour a player's name is written in.
constexpr QRgb TeamColour(TeamMark mark) {
  switch (mark) {
    case TeamMark::kBlue:
      return qRgb(0x00, 0x53, 0xA6);
    case TeamMark::kRed:
      return qRgb(0x9F, 0x00, 0x00);
    case TeamMark::kBoth:
      return qRgb(0xFF, 0xFF, 0xFF);
    case TeamMark::kNone:
      break;
  }
  return qRgb(0xC0, 0xC0, 0xC0);
}

// The row icon's image index: 3 blue, 4 red, 5 both teams, 6 no team.
constexpr int TeamImageIndex(TeamMark mark) {
  return 3 + static_cast<int>(mark);
}

}  // namespace mrv
