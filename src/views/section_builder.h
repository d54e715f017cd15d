// The sections of a report, built one after the other in the same buffers: a report of
// thousands of maps would otherwise spend most of its time allocating and freeing them.
//   SectionFigures one_map(weapons.size(), by_weapon);
//   one_map.Clear(); one_map.Add(figures);            // a map's figures, or many maps'
//   const Section& section = builder.MapSection(map, one_map);
// A section lives until the builder builds the next; it refers to the store's texts and
// the weapon table, which must outlive it.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/weapons.h"
#include "views/player_stats.h"
#include "views/report_section.h"

namespace mrv {

// The figures a section shows, added map by map.
struct SectionFigures {
  SectionFigures(int weapon_count, bool by_weapon) : players(weapon_count, by_weapon) {}
  // Figures of no map.
  void Clear();
  // The next map, in store order.
  void Add(const MapFigures& map);

  PlayerCollector players;
  TeamTotals teams;
  OwnTotals own;
  OwnHits hits;
};

// KillDeathText, made once for each pair of small counts: a report shows one for every
// row, and a ratio's digits cost far more than a copy.
class KillDeathTexts {
 public:
  const std::string& Of(std::int64_t kills, std::int64_t deaths);

 private:
  static constexpr std::int64_t kSmall = 64;
  std::vector<std::string> small_ = std::vector<std::string>(kSmall * kSmall);  // empty: not yet
  std::string other_;
};

class SectionBuilder {
 public:
  SectionBuilder(const WeaponTable& weapons, ReportWeapons listed)
      : weapons_(weapons), listed_(listed) {}

  // The section of one map, from the figures of that map alone.
  const Section& MapSection(const MapRecord& map, const SectionFigures& figures);
  // The section of all maps, from the figures of every map.
  const Section& AllMapsSection(const SectionFigures& figures);

 private:
  void Fill(std::string_view title, const SectionFigures& figures);
  void FillPlayers(const PlayerCollector& collector, std::vector<PlayerRow>& rows);

  // A row's place: by kills, largest first, ties in the viewer's order (TeamRank, then
  // first meeting).
  struct Place {
    std::int64_t negative_kills;
    int team_rank;
    std::size_t at;
    auto operator<=>(const Place&) const = default;
  };

  const WeaponTable& weapons_;
  ReportWeapons listed_;
  std::vector<Place> order_;
  KillDeathTexts kill_death_;
  Section section_;
};

}  // namespace mrv
