// Figures of players over a selection of maps, as the viewer and the reports show
// them. Widget-free, so the command-line tool and tests use the same code.
//
// The kill table of a map is read once, into its MapFigures; every figure over a
// selection of maps is then a sum of those per-map figures. The sums are exact 64-bit
// sums of the store's 32-bit counters, so nothing here overflows or saturates.
//   std::vector<MapFigures> figures = FiguresOf(store);   // once per store
//   MapSelection maps = AllMaps(figures);                    // or any subset, in store order
//   std::vector<MergedPlayer> players = CollectPlayers(maps, weapons.size());
// A MapFigures refers to its MapRecord: it must not outlive it, and the map's kill
// table, nicknames and teams must not change while it is in use (a new name may).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv {

class MapFigures {
 public:
  explicit MapFigures(const MapRecord& map);

  const MapRecord& map() const { return *map_; }
  // NickIndex for a nickname already folded with ToLowerAscii: the first index whose
  // nickname equals it ignoring case, or -1.
  int Find(const std::string& folded) const;
  const std::string& folded(int index) const { return folded_[static_cast<std::size_t>(index)]; }
  // Whether NickIndex finds this index for its own nickname: false for a later
  // spelling of a nickname that differs only in letter case.
  bool IsFirst(int index) const { return first_of_[static_cast<std::size_t>(index)] == index; }
  // Per weapon: kills of the nickname, suicides excluded; its deaths, suicides included.
  std::span<const std::int64_t> kills(int index) const { return Row(kills_, index); }
  std::span<const std::int64_t> deaths(int index) const { return Row(deaths_, index); }

 private:
  std::span<const std::int64_t> Row(const std::vector<std::int64_t>& table, int index) const;

  const MapRecord* map_;
  std::vector<std::string> folded_;
  std::unordered_map<std::string, int> first_;
  std::vector<int> first_of_;         // per index, the index Find gives for its nickname
  std::vector<std::int64_t> kills_;   // [index][weapon]
  std::vector<std::int64_t> deaths_;  // [index][weapon]
};

std::vector<MapFigures> FiguresOf(const StatsStore& store);

// The maps a figure is computed over, in store order.
using MapSelection = std::vector<const MapFigures*>;
MapSelection AllMaps(const std::vector<MapFigures>& figures);

struct PlayerStats {
  std::vector<std::int64_t> kills;   // per weapon, suicides excluded
  std::vector<std::int64_t> deaths;  // per weapon, suicides included
  std::int64_t caps = 0, rets = 0, fck = 0, ft = 0;
};
PlayerStats EmptyPlayerStats(int weapon_count);

// Merged team over several maps: 0 none, 1 red, 2 blue, 3 played for both. A team
// byte outside 0 to 2 counts as no team.
int MergeTeam(int merged, int team_byte);

struct MergedPlayer {
  std::string nick;  // as first met
  int team = 0;
  // The figures over the maps where the nickname is found ignoring case.
  PlayerStats stats;
};
// Every nickname of the maps once (letter case ignored), in the viewer's order: blue,
// red, both teams, then no team; each group in order of first meeting.
std::vector<MergedPlayer> CollectPlayers(const MapSelection& maps, int weapon_count);

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

// Weapons whose code is one of these are never listed in weapon grids and their totals.
bool IsHiddenWeaponCode(char code);
// A player's kills or deaths as every window and report counts them: over every weapon,
// hidden ones included (so a suicide is a death).
std::int64_t AllWeaponsTotal(std::span<const std::int64_t> counts);

// The percentage text of a "Flags captured:" line: "100" for captures without a flag
// taken, "0" for neither.
std::string CapturePercent(std::int64_t captures, std::int64_t flags_taken);
// "never died" when deaths is 0, otherwise the cut ratio.
std::string KillDeathText(std::int64_t kills, std::int64_t deaths);

}  // namespace mrv
