#include "views/player_stats.h"

#include <gtest/gtest.h>

#include "files/saved_game.h"
#include "files/settings.h"
#include "model/text.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

// Player red on the first map and blue (as PLAYER) on the second; Lone never in a team;
// Odd with a team byte no store writes; Twin twice on the first map, in two spellings.
StatsStore TwoMaps() {
  StatsStore db(3);
  MapRecord& first = NewMap(db, "ut4_abbey");
  AddNick(first, "Player", 1);
  AddNick(first, "Lone", 0);
  AddNick(first, "Blue", 2);
  AddNick(first, "Odd", 7);
  AddNick(first, "Twin", 0);
  AddNick(first, "TWIN", 2);
  first.SetKills(0, 1, 1, 2);  // Player kills Lone twice with weapon 1
  first.SetKills(0, 2, 0, 1);  // and himself with weapon 2
  first.SetKills(1, 0, 0, 1);  // Lone kills Player with weapon 0
  first.SetKills(4, 0, 1, 5);  // Twin kills Lone: counted for Twin
  first.SetKills(5, 0, 1, 9);  // TWIN kills Lone: never found by name, so counted for nobody
  first.caps[0] = 2;
  first.flags_taken[0] = 3;
  MapRecord& second = NewMap(db, "ut4_casa");
  AddNick(second, "PLAYER", 2);
  AddNick(second, "Lone", 0);
  second.SetKills(1, 1, 0, 4);  // Lone kills PLAYER
  return db;
}

TEST(PlayerStatsTest, MergesSpellingsAndTeamsOverMaps) {
  const StatsStore db = TwoMaps();
  const auto figures = FiguresOf(db);
  const auto players = CollectPlayers(AllMaps(figures), 3);
  std::vector<std::pair<std::string, int>> listed;
  for (const auto& player : players) listed.emplace_back(player.nick, player.team);
  // Blue, red, both, none; Twin turned blue through its second spelling.
  EXPECT_EQ(listed, (std::vector<std::pair<std::string, int>>{
                        {"Blue", 2}, {"Twin", 2}, {"Player", 3}, {"Lone", 0}, {"Odd", 0}}));
  const PlayerStats& player = players[2].stats;
  EXPECT_EQ(player.kills, (std::vector<std::int64_t>{0, 2, 0}));
  EXPECT_EQ(player.deaths, (std::vector<std::int64_t>{1, 4, 1}));  // the suicide is a death
  EXPECT_EQ(player.caps, 2);
  EXPECT_EQ(player.flags_taken, 3);
  EXPECT_EQ(players[1].stats.kills, (std::vector<std::int64_t>{5, 0, 0}));
  EXPECT_TRUE(CollectPlayers({}, 3).empty());
}

// CollectPlayerStats and the merged team written out as the viewer's description
// gives them, one nickname at a time, straight from the kill tables.
struct Recount {
  int team = 0;
  std::vector<std::int64_t> kills, deaths;
  std::int64_t caps = 0, rets = 0, carrier_kills = 0, flags_taken = 0;
};

Recount RecountPlayer(const std::vector<const MapRecord*>& maps, int weapons,
                      const std::string& nick) {
  Recount r{0, std::vector<std::int64_t>(weapons), std::vector<std::int64_t>(weapons)};
  for (const MapRecord* map : maps) {
    for (int i = 0; i < map->nick_count(); ++i) {
      const int t = map->teams[static_cast<std::size_t>(i)];
      if (EqualsIgnoreCase(map->nicks[static_cast<std::size_t>(i)], nick) && r.team != t &&
          r.team < 3) {
        r.team += t;
      }
    }
    const int p = NickIndex(*map, nick);
    if (p < 0) continue;
    r.caps += map->caps[static_cast<std::size_t>(p)];
    r.rets += map->rets[static_cast<std::size_t>(p)];
    r.carrier_kills += map->carrier_kills[static_cast<std::size_t>(p)];
    r.flags_taken += map->flags_taken[static_cast<std::size_t>(p)];
    for (int w = 0; w < weapons; ++w) {
      for (int v = 0; v < map->nick_count(); ++v) {
        if (v == p) {
          r.deaths[static_cast<std::size_t>(w)] += map->kills(p, w, p);
        } else {
          r.kills[static_cast<std::size_t>(w)] += map->kills(p, w, v);
          r.deaths[static_cast<std::size_t>(w)] += map->kills(v, w, p);
        }
      }
    }
  }
  return r;
}

TEST(PlayerStatsTest, EveryPlayerOfALongEveningMatchesTheStraightRecount) {
  WeaponTable weapons;
  test::FakePrompt prompt;
  ASSERT_TRUE(ReadWeaponSettings(test::ShippedDir(), weapons, prompt));
  StatsStore store(weapons.size());
  std::string name;
  ASSERT_TRUE(
      LoadGame(store, test::TestDataDir() / "golden" / "long_session.stg", name, prompt));
  const auto figures = FiguresOf(store);
  const int w = weapons.size();
  // All maps between single maps, so that one collector's buffers go from large
  // selections to small ones and back, as a report's do.
  std::vector<MapSelection> selections{AllMaps(figures)};
  for (const auto& map : figures) selections.push_back({&map});
  selections.push_back(AllMaps(figures));
  PlayerCollector reused(w, true);
  for (const MapSelection& maps : selections) {
    std::vector<const MapRecord*> records;
    for (const MapFigures* map : maps) records.push_back(&map->map());
    const auto players = CollectPlayers(maps, w);
    ASSERT_GT(players.size(), 5u);
    for (const MergedPlayer& player : players) {
      const Recount expected = RecountPlayer(records, w, player.nick);
      EXPECT_EQ(player.team, expected.team) << player.nick;
      EXPECT_EQ(player.stats.kills, expected.kills) << player.nick;
      EXPECT_EQ(player.stats.deaths, expected.deaths) << player.nick;
      EXPECT_EQ(
          std::tie(player.stats.caps, player.stats.rets, player.stats.carrier_kills,
                   player.stats.flags_taken),
          std::tie(expected.caps, expected.rets, expected.carrier_kills, expected.flags_taken))
          << player.nick;
    }
    const auto collected = reused.Collect(maps);
    ASSERT_EQ(collected.size(), players.size());
    for (std::size_t at = 0; at < collected.size(); ++at) {
      const PlayerCollector::Player& player = collected[at];
      const Recount expected = RecountPlayer(records, w, std::string(player.nick));
      EXPECT_EQ(player.team, expected.team) << player.nick;
      const auto kills = reused.kills_by_weapon(at);
      const auto deaths = reused.deaths_by_weapon(at);
      EXPECT_EQ(std::vector<std::int64_t>(kills.begin(), kills.end()), expected.kills);
      EXPECT_EQ(std::vector<std::int64_t>(deaths.begin(), deaths.end()), expected.deaths);
      EXPECT_EQ(player.kills, AllWeaponsTotal(expected.kills)) << player.nick;
      EXPECT_EQ(player.deaths, AllWeaponsTotal(expected.deaths)) << player.nick;
      EXPECT_EQ(
          std::tie(player.caps, player.rets, player.carrier_kills, player.flags_taken),
          std::tie(expected.caps, expected.rets, expected.carrier_kills, expected.flags_taken))
          << player.nick;
    }
  }
}

// Spellings met again keep their number while the table grows under thousands of them;
// each map tells its own repeated spellings from those of the maps before.
TEST(PlayerStatsTest, SpellingsKeepTheirNumbersAsTheTableGrows) {
  SpellingNumbers numbers;
  for (int round = 0; round < 2; ++round) {
    for (std::uint32_t i = 0; i < 5000; ++i) {
      ASSERT_EQ(numbers.Of("player" + std::to_string(i)), i);
    }
  }
  EXPECT_EQ(numbers.Of(""), 5000u);
  EXPECT_EQ(numbers.Of("player1"), 1u);
  numbers.NextMap();
  EXPECT_EQ(numbers.FirstOnMap(1, 0), 0);
  EXPECT_EQ(numbers.FirstOnMap(2, 1), 1);
  EXPECT_EQ(numbers.FirstOnMap(1, 2), 0);
  numbers.NextMap();
  EXPECT_EQ(numbers.FirstOnMap(1, 3), 3);
}

}  // namespace
}  // namespace mrv
