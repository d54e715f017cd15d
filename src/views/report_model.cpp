#include "views/report_model.h"

#include <algorithm>

#include "model/text.h"
#include "views/player_stats.h"

namespace mrv {

bool OwnHits::any() const {
  for (const auto* counts : {&given, &taken, &kills, &deaths}) {
    for (auto v : *counts)
      if (v != 0) return true;
  }
  return false;
}

const char* TeamName(int team) {
  switch (team) {
    case 1:
      return "red";
    case 2:
      return "blue";
    case 3:
      return "both";
    default:
      return "none";
  }
}

namespace {

std::vector<WeaponCount> ByWeapon(const std::vector<std::int64_t>& counts,
                                  const WeaponTable& weapons) {
  const auto listed = counts.begin() + std::min<std::ptrdiff_t>(weapons.size(), std::ssize(counts));
  std::vector<WeaponCount> list;
  list.reserve(static_cast<std::size_t>(
      std::count_if(counts.begin(), listed, [](std::int64_t count) { return count != 0; })));
  for (auto at = counts.begin(); at != listed; ++at) {
    if (*at != 0) list.push_back({weapons.name(static_cast<int>(at - counts.begin())), *at});
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const WeaponCount& a, const WeaponCount& b) { return a.count > b.count; });
  return list;
}

void AddHits(OwnHits& hits, const MapRecord& map) {
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    hits.given[i] += map.hits[i];
    hits.taken[i] += map.hitstaken[i];
    hits.kills[i] += map.deathhits[i];
    hits.deaths[i] += map.deathhitstaken[i];
  }
}

Section BuildSection(std::string title, const MapSelection& maps, const WeaponTable& weapons,
                     ReportWeapons listed) {
  Section section;
  section.title = std::move(title);
  std::vector<MergedPlayer> players = CollectPlayers(maps, weapons.size());
  // By kills, largest first, ties as listed: the order sorted once, the rows moved once.
  std::vector<std::pair<std::int64_t, std::size_t>> order;
  order.reserve(players.size());
  for (const MergedPlayer& merged : players) {
    order.emplace_back(-AllWeaponsTotal(merged.stats.kills), order.size());
  }
  std::sort(order.begin(), order.end());
  section.players.reserve(players.size());
  for (const auto& [negative_kills, at] : order) {
    MergedPlayer& merged = players[at];
    const PlayerStats& stats = merged.stats;
    PlayerRow row;
    row.nick = std::move(merged.nick);
    row.team = merged.team;
    row.kills = -negative_kills;
    row.deaths = AllWeaponsTotal(stats.deaths);
    row.caps = stats.caps;
    row.rets = stats.rets;
    row.ft = stats.ft;
    row.fck = stats.fck;
    if (listed == ReportWeapons::kListed) {
      row.kills_by_weapon = ByWeapon(stats.kills, weapons);
      row.deaths_by_weapon = ByWeapon(stats.deaths, weapons);
    }
    section.players.push_back(std::move(row));
  }
  const TeamTotals team = CollectTeamTotals(maps);
  section.blue_caps = team.blue_caps;
  section.red_caps = team.red_caps;
  section.blue_rets = team.blue_rets;
  section.red_rets = team.red_rets;
  section.blue_ft = team.blue_ft;
  section.red_ft = team.red_ft;
  const OwnTotals own = CollectOwnTotals(maps);
  section.own_kills = own.kills;
  section.own_deaths = own.deaths;
  section.seconds = own.seconds;
  for (const MapFigures* map : maps) AddHits(section.hits, map->map());
  return section;
}

}  // namespace

Report ReportOf(std::string game_name, const StatsStore& store, const WeaponTable& weapons,
                ReportWeapons listed) {
  return {std::move(game_name), &store, &weapons, listed};
}

void WriteSections(const Report& report, const std::function<void(const Section&)>& map_section,
                   const std::function<void(const Section&)>& all_maps) {
  const WeaponTable& weapons = *report.weapons;
  const std::vector<MapFigures> figures = FiguresOf(*report.store);
  for (const MapFigures& map_figures : figures) {
    const MapRecord* map = &map_figures.map();
    Section section = BuildSection(map->name, {&map_figures}, weapons, report.listed);
    if (map->own_nick != AbsentMark) section.own_nick = map->own_nick;
    section.seconds = map->duration;
    section.own_kills = map->own_kills;
    section.own_deaths = map->own_deaths;
    map_section(section);
  }
  all_maps(BuildSection("All maps", AllMaps(figures), weapons, report.listed));
}

}  // namespace mrv
