// A report of a store, written section by section: per map and for all maps.
#pragma once

#include <functional>
#include <string>

#include "model/stats_store.h"
#include "model/weapons.h"
#include "views/report_section.h"

namespace mrv {

// A report of a store. What it shows is built one section at a time as it is written
// (WriteSections), so that a report of thousands of maps never holds them all; it
// refers to the store and the weapon table, which must outlive it and not change.
struct Report {
  std::string game_name;
  const StatsStore* store;
  const WeaponTable* weapons;
  ReportWeapons listed;
};

Report ReportOf(std::string game_name, const StatsStore& store, const WeaponTable& weapons,
                ReportWeapons listed = ReportWeapons::kListed);

// Builds each map's section in store order and hands it to `map_section`, then the
// section of all maps to `all_maps`; each lives only for its call.
void WriteSections(const Report& report, const std::function<void(const Section&)>& map_section,
                   const std::function<void(const Section&)>& all_maps);

const char* TeamName(int team);

}  // namespace mrv
