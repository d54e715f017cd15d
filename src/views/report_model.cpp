#include "views/report_model.h"

#include "views/player_stats.h"
#include "views/section_builder.h"

namespace mrv {

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

Report ReportOf(std::string game_name, const StatsStore& store, const WeaponTable& weapons,
                ReportWeapons listed) {
  return {std::move(game_name), &store, &weapons, listed};
}

void WriteSections(const Report& report, const std::function<void(const Section&)>& map_section,
                   const std::function<void(const Section&)>& all_maps) {
  const int weapon_count = report.weapons->size();
  const bool by_weapon = report.listed == ReportWeapons::kListed;
  SectionBuilder builder(*report.weapons, report.listed);
  // One walk over the store: each map's figures go to its own section and to those of
  // all maps while the map is fresh in the caches.
  SpellingNumbers numbers;
  SectionFigures one_map(weapon_count, by_weapon);
  SectionFigures every_map(weapon_count, by_weapon);
  for (const auto& map : report.store->maps) {
    const MapFigures figures(*map, numbers);
    one_map.Clear();
    one_map.Add(figures);
    every_map.Add(figures);
    map_section(builder.MapSection(*map, one_map));
  }
  all_maps(builder.AllMapsSection(every_map));
}

}  // namespace mrv
