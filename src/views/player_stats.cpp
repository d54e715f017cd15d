#include "views/player_stats.h"

#include <algorithm>

#include "model/text.h"

namespace mrv {

MapSelection AllMaps(const Database& database) {
  MapSelection maps;
  for (const auto& map : database.maps) maps.push_back(map.get());
  return maps;
}

PlayerStats CollectPlayerStats(const MapSelection& maps, int weapon_count, const std::string& nick) {
  PlayerStats stats;
  stats.kills.assign(static_cast<std::size_t>(weapon_count), 0);
  stats.deaths.assign(static_cast<std::size_t>(weapon_count), 0);
  for (const map_record* map : maps) {
    const int p = NickIndex(*map, nick);
    if (p < 0) continue;
    const auto pi = static_cast<std::size_t>(p);
    stats.caps = SaturatingAdd(stats.caps, map->caps[pi]);
    stats.rets = SaturatingAdd(stats.rets, map->rets[pi]);
    stats.fck = SaturatingAdd(stats.fck, map->fck[pi]);
    stats.ft = SaturatingAdd(stats.ft, map->ft[pi]);
    const int w_count = std::min(weapon_count, map->weapon_count);
    for (int w = 0; w < w_count; ++w) {
      auto& kills = stats.kills[static_cast<std::size_t>(w)];
      auto& deaths = stats.deaths[static_cast<std::size_t>(w)];
      for (int v = 0; v < map->nick_count(); ++v) {
        if (v == p) {
          deaths = SaturatingAdd(deaths, map->kills(p, w, p));
        } else {
          kills = SaturatingAdd(kills, map->kills(p, w, v));
          deaths = SaturatingAdd(deaths, map->kills(v, w, p));
        }
      }
    }
  }
  return stats;
}

std::vector<MergedPlayer> MergePlayers(const MapSelection& maps) {
  std::vector<MergedPlayer> set;
  for (const map_record* map : maps) {
    for (int i = 0; i < map->nick_count(); ++i) {
      const auto& nick = map->nicks[static_cast<std::size_t>(i)];
      MergedPlayer* entry = nullptr;
      for (auto& known : set) {
        if (EqualsIgnoreCase(known.nick, nick)) {
          entry = &known;
          break;
        }
      }
      if (entry == nullptr) entry = &set.emplace_back(MergedPlayer{nick, 0});
      const int team = map->teams[static_cast<std::size_t>(i)];
      if (entry->team != team && entry->team < 3) entry->team += team;
    }
  }
  std::vector<MergedPlayer> ordered;
  ordered.reserve(set.size());
  for (int team : {2, 1, 3, 0}) {
    for (const auto& player : set) {
      if (player.team == team) ordered.push_back(player);
    }
  }
  // Teams outside 0..3 never come from the store; keep such players rather than lose them.
  for (const auto& player : set) {
    if (player.team < 0 || player.team > 3) ordered.push_back(player);
  }
  return ordered;
}

OwnTotals CollectOwnTotals(const MapSelection& maps) {
  OwnTotals totals;
  for (const map_record* map : maps) {
    const int o = NickIndex(*map, map->own_nick);
    if (o < 0) continue;
    const auto oi = static_cast<std::size_t>(o);
    totals.kills += map->own_kills;
    totals.deaths += map->own_deaths;
    totals.caps += map->caps[oi];
    totals.rets += map->rets[oi];
    totals.fck += map->fck[oi];
    totals.ft += map->ft[oi];
    totals.seconds += map->duration;
  }
  return totals;
}

TeamTotals CollectTeamTotals(const MapSelection& maps) {
  TeamTotals totals;
  for (const map_record* map : maps) {
    totals.blue_caps += map->blue_caps;
    totals.red_caps += map->red_caps;
    totals.blue_rets += map->blue_rets;
    totals.red_rets += map->red_rets;
    totals.blue_ft += map->blue_ft;
    totals.red_ft += map->red_ft;
  }
  return totals;
}

bool IsHiddenWeaponCode(char code) {
  const auto byte = static_cast<unsigned char>(code);
  return byte >= 253;
}

std::int64_t VisibleTotal(const std::vector<std::int32_t>& counts, const WeaponTable& weapons) {
  std::int64_t total = 0;
  const int n = std::min(static_cast<int>(counts.size()), weapons.size());
  for (int w = 0; w < n; ++w) {
    const auto count = counts[static_cast<std::size_t>(w)];
    if (count > 0 && !IsHiddenWeaponCode(weapons.code(w))) total += count;
  }
  return total;
}

std::string CapturePercent(std::int64_t captures, std::int64_t flags_taken) {
  if (flags_taken == 0) return captures != 0 ? "100" : "";
  return FormatRatio(static_cast<double>(captures) / static_cast<double>(flags_taken) * 100.0);
}

std::string KillDeathText(std::int64_t kills, std::int64_t deaths) {
  if (deaths == 0) return "never died";
  return FormatRatio(static_cast<double>(kills) / static_cast<double>(deaths));
}

}  // namespace mrv
