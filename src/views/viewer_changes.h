// What a StatsViewer action changed, so that the widgets redraw only those parts, and
// what it asks of the window around it.
#pragma once

#include <cstdint>

namespace mrv {

enum class ViewerPart : std::uint32_t {
  kMapList = 1u << 0,         // rows or their selection
  kPlayerList = 1u << 1,      // rows or their selection
  kGamesList = 1u << 2,       // rows, selection or the count line (profile mode)
  kPlayerPanel = 1u << 3,     // the shown nickname and the seven lines
  kWeaponGrids = 1u << 4,     // the kills and deaths grids
  kYourStats = 1u << 5,       // the "Your stats:" block
  kTeamTotals = 1u << 6,      // the six labels beside the legend
  kTab = 1u << 7,             // which tab is on, the deciding-hits toggle
  kHitsPanel = 1u << 8,       // the hits grid and the body map
  kOverall = 1u << 9,         // the overall table: rows, columns or visibility
  kWeaponDetails = 1u << 10,  // the weapon details window
  kOneOnOne = 1u << 11,       // the one-on-one window
  kMenu = 1u << 12,           // the menu's captions
  kCloseRequest = 1u << 13,   // the viewer should close (the close query still applies)
  kFatalError = 1u << 14,     // fatal_error() must be shown, then the program ends
  kProgress = 1u << 15,       // the Progress window: its charts or visibility (profile mode)
};

class ViewerChanges {
 public:
  constexpr ViewerChanges() = default;
  constexpr ViewerChanges(ViewerPart part) : bits_(static_cast<std::uint32_t>(part)) {}

  constexpr bool Has(ViewerPart part) const {
    return (bits_ & static_cast<std::uint32_t>(part)) != 0;
  }
  constexpr bool empty() const { return bits_ == 0; }
  constexpr ViewerChanges& operator|=(ViewerChanges other) {
    bits_ |= other.bits_;
    return *this;
  }
  friend constexpr ViewerChanges operator|(ViewerChanges a, ViewerChanges b) { return a |= b; }
  constexpr bool operator==(const ViewerChanges&) const = default;

 private:
  std::uint32_t bits_ = 0;
};

constexpr ViewerChanges operator|(ViewerPart a, ViewerPart b) {
  return ViewerChanges(a) | ViewerChanges(b);
}

}  // namespace mrv
