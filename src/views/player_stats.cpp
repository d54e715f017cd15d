#include "views/player_stats.h"

#include <algorithm>

#include "model/text.h"

namespace mrv {

MapFigures::MapFigures(const MapRecord& map) : map_(&map) {
  const int n = map.nick_count();
  const auto un = static_cast<std::size_t>(n);
  const auto uw = static_cast<std::size_t>(map.weapon_count);
  folded_.reserve(un);
  first_of_.reserve(un);
  for (int i = 0; i < n; ++i) {
    folded_.push_back(ToLowerAscii(map.nicks[static_cast<std::size_t>(i)]));
    first_of_.push_back(
        first_.emplace(folded_.back(), i).first->second);  // an earlier spelling wins
  }
  kills_.assign(un * uw, 0);
  deaths_.assign(un * uw, 0);
  // One pass over the table, row by row: a row is killer k's kills with weapon w, one
  // count per victim. Deaths gather per weapon first, so the inner loop runs along the
  // row and along the gathered counts alike.
  std::vector<std::int64_t> deaths_by_weapon(uw * un, 0);  // [weapon][victim]
  for (int k = 0; k < n; ++k) {
    for (int w = 0; w < map.weapon_count; ++w) {
      const std::int32_t* row = map.kill_row(k, w).data();
      std::int64_t* gathered = &deaths_by_weapon[static_cast<std::size_t>(w) * un];
      std::int64_t sum = 0;
      for (std::size_t v = 0; v < un; ++v) {
        sum += row[v];
        gathered[v] += row[v];  // row[k] is the suicide: a death, not a kill
      }
      kills_[static_cast<std::size_t>(k) * uw + static_cast<std::size_t>(w)] =
          sum - row[static_cast<std::size_t>(k)];
    }
  }
  for (std::size_t w = 0; w < uw; ++w) {
    for (std::size_t v = 0; v < un; ++v) deaths_[v * uw + w] = deaths_by_weapon[w * un + v];
  }
}

int MapFigures::Find(const std::string& folded) const {
  const auto it = first_.find(folded);
  return it == first_.end() ? -1 : it->second;
}

std::span<const std::int64_t> MapFigures::Row(const std::vector<std::int64_t>& table,
                                              int index) const {
  const auto uw = static_cast<std::size_t>(map_->weapon_count);
  return std::span(table).subspan(static_cast<std::size_t>(index) * uw, uw);
}

std::vector<MapFigures> FiguresOf(const StatsStore& store) {
  std::vector<MapFigures> figures;
  figures.reserve(store.maps.size());
  for (const auto& map : store.maps) figures.emplace_back(*map);
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

namespace {

void AddFigures(PlayerStats& stats, const MapFigures& figures, int p) {
  const MapRecord& map = figures.map();
  const auto pi = static_cast<std::size_t>(p);
  stats.caps += map.caps[pi];
  stats.rets += map.rets[pi];
  stats.fck += map.fck[pi];
  stats.ft += map.ft[pi];
  const auto kills = figures.kills(p);
  const auto deaths = figures.deaths(p);
  const std::size_t n = std::min(stats.kills.size(), kills.size());
  for (std::size_t w = 0; w < n; ++w) {
    stats.kills[w] += kills[w];
    stats.deaths[w] += deaths[w];
  }
}

}  // namespace

std::vector<MergedPlayer> CollectPlayers(const MapSelection& maps, int weapon_count) {
  std::vector<MergedPlayer> set;
  std::unordered_map<std::string, std::size_t> known;  // folded nickname -> entry of set
  for (const MapFigures* figures : maps) {
    const MapRecord& map = figures->map();
    for (int i = 0; i < map.nick_count(); ++i) {
      const auto [it, added] = known.try_emplace(figures->folded(i), set.size());
      if (added) {
        set.push_back({map.nicks[static_cast<std::size_t>(i)], 0, EmptyPlayerStats(weapon_count)});
      }
      MergedPlayer& player = set[it->second];
      player.team = MergeTeam(player.team, map.teams[static_cast<std::size_t>(i)]);
      if (figures->IsFirst(i)) AddFigures(player.stats, *figures, i);
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
    const int o = figures->Find(ToLowerAscii(map.own_nick));
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
