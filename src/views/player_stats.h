// Figures of players over a selection of maps, as the viewer and the reports show
// them. Widget-free, so the command-line tool and tests use the same code.
//
// The nicknames of a map are folded and numbered once, into its MapFigures; every
// figure over a selection of maps is then summed from the maps' kill cells, one walk
// over each map's cells. The sums are exact 64-bit sums of the store's 32-bit counters, so nothing
// here overflows or saturates.
//   std::vector<MapFigures> figures = FiguresOf(store);   // once per store
//   MapSelection maps = AllMaps(figures);                    // or any subset, in store order
//   std::vector<MergedPlayer> players = CollectPlayers(maps, weapons.size());
// A MapFigures refers to its MapRecord: it must not outlive it, and the map's nicknames
// must not change while it is in use (its kills and a new map name may).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv {

// Numbers the spellings (folded with ToLowerAscii) of the nicknames of many maps, so
// that figures over them merge players by number, not by text.
class SpellingNumbers {
 public:
  // The spelling's number; a new one for a spelling not met before.
  std::uint32_t Of(const std::string& folded);
  // Maps are numbered one after the other: NextMap, then for each index of the map in
  // order, the first index of the map that had its number (itself when none had).
  void NextMap() { ++map_; }
  int FirstOnMap(std::uint32_t number, int index);

 private:
  std::unordered_map<std::string, std::uint32_t> numbers_;
  std::vector<std::uint64_t> met_;  // per number: the last map it was met on, and the index
  std::uint64_t map_ = 0;
};

class MapFigures {
 public:
  MapFigures(const MapRecord& map, SpellingNumbers& numbers);

  const MapRecord& map() const { return *map_; }
  // NickIndex for a nickname already folded with ToLowerAscii: the first index whose
  // nickname equals it ignoring case, or -1.
  int Find(std::string_view folded) const;
  // NickIndex itself.
  int FindNick(std::string_view nick) const;
  // The number of the index's spelling among those of the maps numbered together.
  std::uint32_t number(int index) const { return numbers_[static_cast<std::size_t>(index)]; }
  const std::string& folded(int index) const { return folded_[static_cast<std::size_t>(index)]; }
  // Whether NickIndex finds this index for its own nickname: false for a later
  // spelling of a nickname that differs only in letter case.
  bool IsFirst(int index) const { return FirstOf(index) == index; }
  // The index NickIndex finds for this index's nickname.
  int FirstOf(int index) const {
    return first_of_.empty() ? index : first_of_[static_cast<std::size_t>(index)];
  }

 private:
  const MapRecord* map_;
  std::vector<std::string> folded_;
  std::vector<std::uint32_t> numbers_;
  // Per index, the index Find gives for its nickname; empty when every nickname is the
  // first of its spelling, as on nearly every map.
  std::vector<int> first_of_;
};

// The figures of every map of the store, their spellings numbered together.
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
