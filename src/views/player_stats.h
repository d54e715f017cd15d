// Figures of players over a selection of maps, as the viewer and the reports show
// them. Widget-free, so the command-line tool and tests use the same code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/store.h"
#include "model/weapons.h"

namespace mrv {

// The maps a figure is computed over, in store order.
using MapSelection = std::vector<const map_record*>;
MapSelection AllMaps(const Database& database);

struct PlayerStats {
  std::vector<std::int32_t> kills;   // per weapon, suicides excluded
  std::vector<std::int32_t> deaths;  // per weapon, suicides included
  std::int32_t caps = 0, rets = 0, fck = 0, ft = 0;
};

// Kills and deaths per weapon and the flag figures of one nickname (found ignoring
// case on each map).
PlayerStats CollectPlayerStats(const MapSelection& maps, int weapon_count, const std::string& nick);

// Merged team over several maps: 0 none, 1 red, 2 blue, 3 played for both.
struct MergedPlayer {
  std::string nick;  // as first met
  int team = 0;
};
// Every nickname of the selection once (letter case ignored), in the viewer's
// order: blue, red, both teams, then no team; each group in order of first meeting.
std::vector<MergedPlayer> MergePlayers(const MapSelection& maps);

// Totals of the own player over the maps where the own nickname is known.
struct OwnTotals {
  std::int64_t kills = 0, deaths = 0, seconds = 0;
  std::int64_t caps = 0, rets = 0, fck = 0, ft = 0;
};
OwnTotals CollectOwnTotals(const MapSelection& maps);

struct TeamTotals {
  std::int64_t blue_caps = 0, red_caps = 0, blue_rets = 0, red_rets = 0, blue_ft = 0, red_ft = 0;
};
TeamTotals CollectTeamTotals(const MapSelection& maps);

// Weapons whose code is one of these are never listed in weapon grids and totals.
bool IsHiddenWeaponCode(char code);
// The total a weapon grid shows: hidden weapons excluded.
std::int64_t VisibleTotal(const std::vector<std::int32_t>& counts, const WeaponTable& weapons);

// The percentage text of a "Flags captured:" line.
std::string CapturePercent(std::int64_t captures, std::int64_t flags_taken);
// "never died" when deaths is 0, otherwise the cut ratio.
std::string KillDeathText(std::int64_t kills, std::int64_t deaths);

}  // namespace mrv
