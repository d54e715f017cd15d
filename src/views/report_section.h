// What a report shows of a store: per map and for all maps, the players' figures, the
// team totals and the own player's hits by location.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/body.h"

namespace mrv {

struct WeaponCount {
  std::string_view weapon;  // the WeaponTable's name: a report must not outlive its table
  std::int64_t count = 0;
};

struct PlayerRow {
  std::string nick;
  int team = 0;                        // 0 none, 1 red, 2 blue, 3 both
  std::int64_t kills = 0, deaths = 0;  // every weapon, hidden ones included
  std::int64_t caps = 0, rets = 0, flags_taken = 0, carrier_kills = 0;
  std::string kill_death;  // KillDeathText of kills and deaths
  // Every weapon with a count, largest first; only in a report built with its weapons.
  std::vector<WeaponCount> kills_by_weapon;
  std::vector<WeaponCount> deaths_by_weapon;
};

struct OwnHits {
  std::array<std::int64_t, kHitLocationCount> given{}, taken{}, kills{}, deaths{};
  bool any() const {
    for (const auto* counts : {&given, &taken, &kills, &deaths}) {
      for (auto v : *counts)
        if (v != 0) return true;
    }
    return false;
  }
};

struct Section {
  std::string title;                    // the map's name, or "All maps"
  std::optional<std::string> own_nick;  // when known
  std::int64_t seconds = 0;             // time played, 0 when unknown
  std::int64_t own_kills = 0, own_deaths = 0;
  std::vector<PlayerRow> players;  // by kills, then as listed
  std::int64_t blue_caps = 0, red_caps = 0, blue_rets = 0, red_rets = 0, blue_flags_taken = 0,
               red_flags_taken = 0;
  OwnHits hits;
};

// The per-weapon lists are most of a large report's memory, and only some outputs show
// them.
enum class ReportWeapons { kListed, kLeftOut };

}  // namespace mrv
