#include "views/player_stats.h"

#include <algorithm>
#include <cstdint>

#include "model/text.h"

namespace mrv {

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

int MergeTeam(int merged, int team_byte) {
  const int team = team_byte >= 0 && team_byte <= 2 ? team_byte : 0;
  return merged != team && merged < 3 ? merged + team : merged;
}

int TeamRank(int team) {
  switch (team) {
    case 2:
      return 0;
    case 1:
      return 1;
    case 3:
      return 2;
    default:
      return 3;
  }
}

PlayerCollector::PlayerCollector(int weapon_count, bool by_weapon)
    : weapons_(static_cast<std::size_t>(std::max(weapon_count, 0))), by_weapon_(by_weapon) {}

void PlayerCollector::Clear() {
  players_.clear();
  by_weapon_counts_.clear();
  ++selection_;
}

void PlayerCollector::Add(const MapFigures& figures) {
  constexpr std::size_t kNone = SIZE_MAX;
  const MapRecord& map = figures.map();
  entry_of_.assign(map.nicks.size(), kNone);
  for (int i = 0; i < map.nick_count(); ++i) {
    const auto pi = static_cast<std::size_t>(i);
    const std::uint32_t number = figures.number(i);
    if (number >= known_.size()) known_.resize(number + std::size_t{1}, 0);
    std::uint64_t& known = known_[number];
    if (known >> 32 != selection_) {
      known = selection_ << 32 | players_.size();
      players_.push_back({map.nicks[pi]});
      if (by_weapon_) by_weapon_counts_.resize(by_weapon_counts_.size() + 2 * weapons_, 0);
    }
    const std::size_t entry = known & 0xFFFFFFFF;
    Player& player = players_[entry];
    player.team = MergeTeam(player.team, map.teams[pi]);
    // A later spelling on the map is never found by NickIndex: its figures are nobody's.
    if (!figures.IsFirst(i)) continue;
    entry_of_[pi] = entry;
    player.caps += map.caps[pi];
    player.rets += map.rets[pi];
    player.carrier_kills += map.carrier_kills[pi];
    player.flags_taken += map.flags_taken[pi];
  }
  // A suicide is the killer's death, not his kill.
  for (const KillTable::Cell& cell : map.kill_table().cells()) {
    const auto w = static_cast<std::size_t>(cell.weapon());
    if (w >= weapons_) continue;
    const std::size_t killer = entry_of_[static_cast<std::size_t>(cell.killer())];
    const std::size_t victim = entry_of_[static_cast<std::size_t>(cell.victim())];
    if (killer != kNone && cell.killer() != cell.victim()) {
      players_[killer].kills += cell.count;
      if (by_weapon_) by_weapon_counts_[killer * 2 * weapons_ + w] += cell.count;
    }
    if (victim != kNone) {
      players_[victim].deaths += cell.count;
      if (by_weapon_) by_weapon_counts_[(victim * 2 + 1) * weapons_ + w] += cell.count;
    }
  }
}

std::span<const PlayerCollector::Player> PlayerCollector::Collect(const MapSelection& maps) {
  Clear();
  for (const MapFigures* map : maps) Add(*map);
  return players_;
}

std::span<const std::int64_t> PlayerCollector::kills_by_weapon(std::size_t player) const {
  return std::span(by_weapon_counts_).subspan(player * 2 * weapons_, weapons_);
}

std::span<const std::int64_t> PlayerCollector::deaths_by_weapon(std::size_t player) const {
  return std::span(by_weapon_counts_).subspan((player * 2 + 1) * weapons_, weapons_);
}

std::vector<MergedPlayer> CollectPlayers(const MapSelection& maps, int weapon_count) {
  PlayerCollector collector(weapon_count, true);
  const std::span<const PlayerCollector::Player> players = collector.Collect(maps);
  std::vector<MergedPlayer> ordered;
  ordered.reserve(players.size());
  for (int rank = 0; rank < 4; ++rank) {
    for (std::size_t at = 0; at < players.size(); ++at) {
      const PlayerCollector::Player& player = players[at];
      if (TeamRank(player.team) != rank) continue;
      MergedPlayer& merged = ordered.emplace_back();
      merged.nick = player.nick;
      merged.team = player.team;
      const auto kills = collector.kills_by_weapon(at);
      const auto deaths = collector.deaths_by_weapon(at);
      merged.stats.kills.assign(kills.begin(), kills.end());
      merged.stats.deaths.assign(deaths.begin(), deaths.end());
      merged.stats.caps = player.caps;
      merged.stats.rets = player.rets;
      merged.stats.carrier_kills = player.carrier_kills;
      merged.stats.flags_taken = player.flags_taken;
    }
  }
  return ordered;
}

void OwnTotals::Add(const MapFigures& figures) {
  const MapRecord& map = figures.map();
  const int o = figures.FindNick(map.own_nick);
  if (o < 0) return;
  const auto oi = static_cast<std::size_t>(o);
  kills += map.own_kills;
  deaths += map.own_deaths;
  caps += map.caps[oi];
  rets += map.rets[oi];
  carrier_kills += map.carrier_kills[oi];
  flags_taken += map.flags_taken[oi];
  seconds += map.duration;
}

OwnTotals CollectOwnTotals(const MapSelection& maps) {
  OwnTotals totals;
  for (const MapFigures* map : maps) totals.Add(*map);
  return totals;
}

void TeamTotals::Add(const MapRecord& map) {
  blue_caps += map.blue_caps;
  red_caps += map.red_caps;
  blue_rets += map.blue_rets;
  red_rets += map.red_rets;
  blue_flags_taken += map.blue_flags_taken;
  red_flags_taken += map.red_flags_taken;
}

TeamTotals CollectTeamTotals(const MapSelection& maps) {
  TeamTotals totals;
  for (const MapFigures* map : maps) totals.Add(map->map());
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
