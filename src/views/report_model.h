// What a report shows of a store: per map and for all maps, the players' figures, the
// team totals and the own player's hits by location.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/body.h"
#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv {

struct WeaponCount {
  std::string_view weapon;  // the WeaponTable's name: a report must not outlive its table
  std::int64_t count = 0;
};

struct PlayerRow {
  std::string nick;
  int team = 0;                        // 0 none, 1 red, 2 blue, 3 both
  std::int64_t kills = 0, deaths = 0;  // every weapon, hidden ones included
  std::int64_t caps = 0, rets = 0, ft = 0, fck = 0;
  std::string kill_death;  // KillDeathText of kills and deaths
  // Every weapon with a count, largest first; only in a report built with its weapons.
  std::vector<WeaponCount> kills_by_weapon;
  std::vector<WeaponCount> deaths_by_weapon;
};

struct OwnHits {
  std::array<std::int64_t, kHitLocationCount> given{}, taken{}, kills{}, deaths{};
  bool any() const;
};

struct Section {
  std::string title;                    // the map's name, or "All maps"
  std::optional<std::string> own_nick;  // when known
  std::int64_t seconds = 0;             // time played, 0 when unknown
  std::int64_t own_kills = 0, own_deaths = 0;
  std::vector<PlayerRow> players;  // by kills, then as listed
  std::int64_t blue_caps = 0, red_caps = 0, blue_rets = 0, red_rets = 0, blue_ft = 0, red_ft = 0;
  OwnHits hits;
};

// The per-weapon lists are most of a large report's memory, and only some outputs show
// them.
enum class ReportWeapons { kListed, kLeftOut };

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
