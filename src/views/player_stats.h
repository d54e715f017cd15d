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
// or, selection after selection, PlayerCollector::Collect.
// A MapFigures refers to its MapRecord: it must not outlive it, and the map's nicknames
// must not change while it is in use (its kills and a new map name may).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/stats_store.h"
#include "model/weapons.h"
#include "views/spelling_numbers.h"

namespace mrv {

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
  std::int64_t caps = 0, rets = 0, carrier_kills = 0, flags_taken = 0;
};

// Merged team over several maps: 0 none, 1 red, 2 blue, 3 played for both. A team
// byte outside 0 to 2 counts as no team.
int MergeTeam(int merged, int team_byte);

// The viewer's order of the merged teams: blue, red, both teams, then no team.
int TeamRank(int team);

// Every nickname of a selection of maps once (letter case ignored), with its figures
// over the maps where the nickname is found ignoring case. A report merges each of
// thousands of maps in turn and all of them map by map, so the collector keeps its
// buffers from one selection to the next; what players() gives lives until the next
// Clear or Add.
class PlayerCollector {
 public:
  struct Player {
    std::string_view nick;  // as first met: the store's text
    int team = 0;
    // Over every weapon below the collector's weapon count: kills without suicides,
    // deaths with them.
    std::int64_t kills = 0, deaths = 0;
    std::int64_t caps = 0, rets = 0, carrier_kills = 0, flags_taken = 0;
  };

  // `by_weapon`: also each player's kills and deaths per weapon; otherwise only totals.
  PlayerCollector(int weapon_count, bool by_weapon);

  // A new selection, of no map yet.
  void Clear();
  // The next map of the selection, in store order; its spellings numbered together with
  // those of the maps before it.
  void Add(const MapFigures& map);
  // A whole selection at once: Clear, then Add for each of its maps.
  std::span<const Player> Collect(const MapSelection& maps);

  // In order of first meeting.
  std::span<const Player> players() const { return players_; }
  // Per weapon, weapon_count of them; only for a collector by weapon.
  std::span<const std::int64_t> kills_by_weapon(std::size_t player) const;
  std::span<const std::int64_t> deaths_by_weapon(std::size_t player) const;

 private:
  std::size_t weapons_;
  bool by_weapon_;
  std::vector<Player> players_;
  std::vector<std::int64_t> by_weapon_counts_;  // per player: kills per weapon, then deaths
  // Per spelling number: the selection it was last met in, and its player there.
  std::vector<std::uint64_t> known_;
  std::uint64_t selection_ = 1;        // never 0, which a new entry of known_ holds
  std::vector<std::size_t> entry_of_;  // per index of a map: its player, none for a later spelling
};

struct MergedPlayer {
  std::string nick;  // as first met
  int team = 0;
  // The figures over the maps where the nickname is found ignoring case.
  PlayerStats stats;
};
// The collected players in the viewer's order: by TeamRank, each team in order of first
// meeting.
std::vector<MergedPlayer> CollectPlayers(const MapSelection& maps, int weapon_count);

// Totals of the own player over the maps where the own nickname is known.
struct OwnTotals {
  std::int64_t kills = 0, deaths = 0, seconds = 0;
  std::int64_t caps = 0, rets = 0, carrier_kills = 0, flags_taken = 0;
  void Add(const MapFigures& map);
};
OwnTotals CollectOwnTotals(const MapSelection& maps);

struct TeamTotals {
  std::int64_t blue_caps = 0, red_caps = 0, blue_rets = 0, red_rets = 0, blue_flags_taken = 0,
               red_flags_taken = 0;
  void Add(const MapRecord& map);
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
