#include "views/player_stats.h"

#include <algorithm>
#include <cstdint>

#include "model/text.h"

namespace mrv {

std::uint32_t SpellingNumbers::Of(const std::string& folded) {
  return numbers_.try_emplace(folded, static_cast<std::uint32_t>(numbers_.size())).first->second;
}

int SpellingNumbers::FirstOnMap(std::uint32_t number, int index) {
  if (number >= met_.size()) met_.resize(number + std::size_t{1}, 0);
  std::uint64_t& met = met_[number];
  if (met >> 32 == map_) return static_cast<int>(met & 0xFFFFFFFF);
  met = map_ << 32 | static_cast<std::uint32_t>(index);
  return index;
}

MapFigures::MapFigures(const MapRecord& map, SpellingNumbers& numbers) : map_(&map) {
  const auto n = map.nicks.size();
  folded_.reserve(n);
  numbers_.reserve(n);
  numbers.NextMap();
  for (const std::string& nick : map.nicks) {
    const int index = static_cast<int>(folded_.size());
    folded_.push_back(ToLowerAscii(nick));
    numbers_.push_back(numbers.Of(folded_.back()));
    // A spelling met twice on the map: the later one points to the first.
    const int first = numbers.FirstOnMap(numbers_.back(), index);
    if (first == index) continue;
    if (first_of_.empty()) {
      first_of_.resize(n);
      for (std::size_t j = 0; j < n; ++j) first_of_[j] = static_cast<int>(j);
    }
    first_of_[static_cast<std::size_t>(index)] = first;
  }
}

int MapFigures::Find(std::string_view folded) const {
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (folded_[i] == folded) return static_cast<int>(i);
  }
  return -1;
}

int MapFigures::FindNick(std::string_view nick) const {
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (EqualsIgnoreCase(folded_[i], nick)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<MapFigures> FiguresOf(const StatsStore& store) {
  SpellingNumbers numbers;
  std::vector<MapFigures> figures;
  figures.reserve(store.maps.size());
  for (const auto& map : store.maps) figures.emplace_back(*map, numbers);
  return figures;
}

MapSelection AllMaps(const std::vector<MapFigures>& figures) {
  MapSelection maps;
  maps.reserve(figures.size());
  for (const auto& map : figures) maps.push_back(&map);
  return maps;
}

PlayerStats EmptyPlayerStats(int weapon_count) {
  PlayerStats stats;
  stats.kills.assign(static_cast<std::size_t>(std::max(weapon_count, 0)), 0);
  stats.deaths = stats.kills;
  return stats;
}

int MergeTeam(int merged, int team_byte) {
  const int team = team_byte >= 0 && team_byte <= 2 ? team_byte : 0;
  return merged != team && merged < 3 ? merged + team : merged;
}

std::vector<MergedPlayer> CollectPlayers(const MapSelection& maps, int weapon_count) {
  constexpr std::size_t kNone = SIZE_MAX;
  std::vector<MergedPlayer> set;
  std::vector<std::size_t> known;     // per spelling number, its entry of set, or kNone
  std::vector<std::size_t> entry_of;  // per index of a map: its entry, kNone for a later spelling
  // A single map's spellings are told apart by its figures, without the numbers.
  const bool one_map = maps.size() == 1;
  for (const MapFigures* figures : maps) {
    const MapRecord& map = figures->map();
    entry_of.assign(map.nicks.size(), kNone);
    for (int i = 0; i < map.nick_count(); ++i) {
      const auto pi = static_cast<std::size_t>(i);
      const int first = figures->FirstOf(i);
      std::size_t entry = one_map && first != i ? entry_of[static_cast<std::size_t>(first)] : kNone;
      if (!one_map) {
        const std::uint32_t number = figures->number(i);
        if (number >= known.size()) known.resize(number + std::size_t{1}, kNone);
        entry = known[number];
        if (entry == kNone) known[number] = set.size();
      }
      if (entry == kNone) {
        entry = set.size();
        set.push_back({map.nicks[pi], 0, EmptyPlayerStats(weapon_count)});
      }
      MergedPlayer& player = set[entry];
      player.team = MergeTeam(player.team, map.teams[pi]);
      if (first != i) continue;
      entry_of[pi] = entry;
      player.stats.caps += map.caps[pi];
      player.stats.rets += map.rets[pi];
      player.stats.fck += map.fck[pi];
      player.stats.ft += map.ft[pi];
    }
    // A suicide is the killer's death, not his kill.
    for (const KillTable::Cell& cell : map.kill_table().cells()) {
      if (cell.weapon() >= weapon_count) continue;
      const auto w = static_cast<std::size_t>(cell.weapon());
      const std::size_t killer = entry_of[static_cast<std::size_t>(cell.killer())];
      const std::size_t victim = entry_of[static_cast<std::size_t>(cell.victim())];
      if (killer != kNone && cell.killer() != cell.victim()) {
        set[killer].stats.kills[w] += cell.count;
      }
      if (victim != kNone) set[victim].stats.deaths[w] += cell.count;
    }
  }
  std::vector<MergedPlayer> ordered;
  ordered.reserve(set.size());
  for (int team : {2, 1, 3, 0}) {
    for (auto& player : set) {
      if (player.team == team) ordered.push_back(std::move(player));
    }
  }
  return ordered;
}

OwnTotals CollectOwnTotals(const MapSelection& maps) {
  OwnTotals totals;
  for (const MapFigures* figures : maps) {
    const MapRecord& map = figures->map();
    const int o = figures->FindNick(map.own_nick);
    if (o < 0) continue;
    const auto oi = static_cast<std::size_t>(o);
    totals.kills += map.own_kills;
    totals.deaths += map.own_deaths;
    totals.caps += map.caps[oi];
    totals.rets += map.rets[oi];
    totals.fck += map.fck[oi];
    totals.ft += map.ft[oi];
    totals.seconds += map.duration;
  }
  return totals;
}

TeamTotals CollectTeamTotals(const MapSelection& maps) {
  TeamTotals totals;
  for (const MapFigures* figures : maps) {
    const MapRecord& map = figures->map();
    totals.blue_caps += map.blue_caps;
    totals.red_caps += map.red_caps;
    totals.blue_rets += map.blue_rets;
    totals.red_rets += map.red_rets;
    totals.blue_ft += map.blue_ft;
    totals.red_ft += map.red_ft;
  }
  return totals;
}

bool IsHiddenWeaponCode(char code) {
  const auto byte = static_cast<unsigned char>(code);
  return byte >= 253;
}

std::int64_t AllWeaponsTotal(std::span<const std::int64_t> counts) {
  std::int64_t total = 0;
  for (const auto count : counts) total += count;
  return total;
}

std::string CapturePercent(std::int64_t captures, std::int64_t flags_taken) {
  if (flags_taken == 0) return captures != 0 ? "100" : "0";
  return FormatRatio(static_cast<double>(captures) / static_cast<double>(flags_taken) * 100.0);
}

std::string KillDeathText(std::int64_t kills, std::int64_t deaths) {
  if (deaths == 0) return "never died";
  return FormatRatio(static_cast<double>(kills) / static_cast<double>(deaths));
}

}  // namespace mrv
