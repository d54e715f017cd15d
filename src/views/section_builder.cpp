#include "views/section_builder.h"

#include <algorithm>
#include <span>

#include "model/text.h"

namespace mrv {

namespace {

// The weapons with a count, largest first, ties in weapon order; into `list`, whose room
// is kept from the row before.
void ListByWeapon(std::span<const std::int64_t> counts, const WeaponTable& weapons,
                  std::vector<WeaponCount>& list) {
  list.clear();
  const auto listed =
      std::min<std::size_t>(static_cast<std::size_t>(weapons.size()), counts.size());
  for (std::size_t w = 0; w < listed; ++w) {
    if (counts[w] == 0) continue;
    // After every count at least as large: the weapon order among equals is kept.
    const auto at = std::upper_bound(
        list.begin(), list.end(), counts[w],
        [](std::int64_t count, const WeaponCount& other) { return count > other.count; });
    list.insert(at, {weapons.name(static_cast<int>(w)), counts[w]});
  }
}

void AddHits(OwnHits& hits, const MapRecord& map) {
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    hits.given[i] += map.hits[i];
    hits.taken[i] += map.hits_taken[i];
    hits.kills[i] += map.killing_hits[i];
    hits.deaths[i] += map.last_hits_taken[i];
  }
}

}  // namespace

void SectionFigures::Clear() {
  players.Clear();
  teams = {};
  own = {};
  hits = {};
}

void SectionFigures::Add(const MapFigures& map) {
  players.Add(map);
  teams.Add(map.map());
  own.Add(map);
  AddHits(hits, map.map());
}

const std::string& KillDeathTexts::Of(std::int64_t kills, std::int64_t deaths) {
  if (kills < 0 || kills >= kSmall || deaths < 0 || deaths >= kSmall) {
    other_ = KillDeathText(kills, deaths);
    return other_;
  }
  std::string& text = small_[static_cast<std::size_t>(kills * kSmall + deaths)];
  if (text.empty()) text = KillDeathText(kills, deaths);
  return text;
}

const Section& SectionBuilder::MapSection(const MapRecord& map, const SectionFigures& figures) {
  Fill(map.name, figures);
  if (map.own_nick != AbsentMark) section_.own_nick = map.own_nick;
  section_.seconds = map.duration;
  section_.own_kills = map.own_kills;
  section_.own_deaths = map.own_deaths;
  return section_;
}

const Section& SectionBuilder::AllMapsSection(const SectionFigures& figures) {
  Fill("All maps", figures);
  section_.own_kills = figures.own.kills;
  section_.own_deaths = figures.own.deaths;
  section_.seconds = figures.own.seconds;
  return section_;
}

// Every figure but the own player's, anew; the rows in the room of the section before.
void SectionBuilder::Fill(std::string_view title, const SectionFigures& figures) {
  std::vector<PlayerRow> rows = std::move(section_.players);
  section_ = Section{};
  section_.title = title;
  FillPlayers(figures.players, rows);
  section_.players = std::move(rows);
  section_.blue_caps = figures.teams.blue_caps;
  section_.red_caps = figures.teams.red_caps;
  section_.blue_rets = figures.teams.blue_rets;
  section_.red_rets = figures.teams.red_rets;
  section_.blue_flags_taken = figures.teams.blue_flags_taken;
  section_.red_flags_taken = figures.teams.red_flags_taken;
  section_.hits = figures.hits;
}

void SectionBuilder::FillPlayers(const PlayerCollector& collector, std::vector<PlayerRow>& rows) {
  const std::span<const PlayerCollector::Player> players = collector.players();
  order_.clear();
  for (std::size_t at = 0; at < players.size(); ++at) {
    order_.push_back({-players[at].kills, TeamRank(players[at].team), at});
  }
  std::sort(order_.begin(), order_.end());
  rows.resize(players.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::size_t at = order_[r].at;
    const PlayerCollector::Player& player = players[at];
    PlayerRow& row = rows[r];
    row.nick = player.nick;
    row.team = player.team;
    row.kills = player.kills;
    row.deaths = player.deaths;
    row.caps = player.caps;
    row.rets = player.rets;
    row.flags_taken = player.flags_taken;
    row.carrier_kills = player.carrier_kills;
    row.kill_death = kill_death_.Of(player.kills, player.deaths);
    if (listed_ == ReportWeapons::kListed) {
      ListByWeapon(collector.kills_by_weapon(at), weapons_, row.kills_by_weapon);
      ListByWeapon(collector.deaths_by_weapon(at), weapons_, row.deaths_by_weapon);
    }
  }
}

}  // namespace mrv
