// The texts of the viewer's labels, caption and value in one text each, exactly as the
// viewer shows them (the HTML report splits them at their first ":").
#pragma once

#include <cstdint>
#include <string>

#include "views/grids.h"
#include "views/player_stats.h"

namespace mrv {

// The seven lines beside the weapon grids: the shown player's figures (in profile mode
// the profile's). The one-on-one window has the same seven lines on each side.
struct PlayerPanel {
  std::string kills, deaths, ratio, caps, rets, flags_taken, carrier_kills;
};

// The bare captions a refresh leaves.
PlayerPanel BarePlayerPanel();
// The lines for these figures (only kills, deaths and the four flag counts are read),
// with the ratio line as given.
PlayerPanel PanelOf(const OwnTotals& figures, std::string ratio);

// What choosing a player shows: both grids through FillWeaponGrid (hidden weapons left
// out), and the lines from every kill and death (AllWeaponsTotal, as the overall table and
// the reports count them) and the flag figures.
PlayerPanel ShowPlayer(const PlayerStats& stats, const WeaponTable& weapons, Grid& kills_grid,
                       Grid& deaths_grid);

// Profile mode's panel: kills and deaths over every weapon, hidden ones included.
PlayerPanel ProfilePlayerPanel(const OwnTotals& profile);

// The "Your stats:" block: the own player's totals in game mode, the profile's figures
// in profile mode. The HTML report reads these labels, in this order of fields:
// ykills, ydeaths, ykdratio, lkillspermin, (time), yft, ycaps, yrets, yfck.
struct YourStats {
  std::string kills = "Kills: ", deaths = "Deaths: ", ratio = "Kill/Deaths ratio: ";
  std::string kills_per_minute = "Kills per minute: ", time = "Time: ";
  std::string flags_taken = "Flags taken: ", caps = "Flags captured: ", rets = "Flags returned: ";
  std::string carrier_kills = "Flag carriers killed: ";
};
YourStats YourStatsOf(const OwnTotals& figures);

// The six team totals beside the legend; shown only when one of them is not 0.
struct TeamTotalLabels {
  std::string blue_caps = "Caps: ", blue_rets = "Rets: ", blue_flags_taken = "FT: ";
  std::string red_caps = "Caps: ", red_rets = "Rets: ", red_flags_taken = "FT: ";
  bool visible = false;
};
TeamTotalLabels TeamTotalLabelsOf(const TeamTotals& totals);

// "Flags captured: " with the count, four blanks and the percentage.
std::string FlagsCapturedLine(std::int64_t caps, std::int64_t flags_taken);

}  // namespace mrv
