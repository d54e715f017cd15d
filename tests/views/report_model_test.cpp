// A report is built one section after the other in the same buffers: no section may
// show what the one before it held.
#include "views/report_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/text.h"

namespace mrv {
namespace {

WeaponTable FourWeapons() {
  WeaponTable weapons;
  for (const char* entry : {"aKnife", "bBeretta", "cSPAS-12", "dMP5K"}) weapons.Append(entry);
  return weapons;
}

// A busy first map of the own player, then a quiet one of a stranger who only kills himself.
StatsStore TwoMaps() {
  StatsStore store(4);
  MapRecord& busy = NewMap(store, "ut4_abbey");
  AddNick(busy, "Ace", 2);
  AddNick(busy, "Bob", 1);
  AddNick(busy, "Cid", 0);
  AddNick(busy, "Dan", 2);
  busy.SetKills(0, 2, 1, 100);  // Ace kills Bob, far past the small counts
  busy.SetKills(0, 3, 1, 3);
  busy.SetKills(1, 0, 0, 3);  // Bob kills Ace
  busy.caps[0] = 2;
  busy.own_nick = "ace";
  busy.own_kills = 103;
  busy.duration = 600;
  busy.hits[0] = 4;
  busy.blue_caps = 2;
  MapRecord& quiet = NewMap(store, "ut4_casa");
  quiet.own_nick = AbsentMark;
  AddNick(quiet, "Eve", 0);
  quiet.SetKills(0, 1, 0, 2);
  quiet.duration = 60;
  return store;
}

std::vector<std::string> Nicks(const Section& section) {
  std::vector<std::string> nicks;
  for (const PlayerRow& row : section.players) nicks.push_back(row.nick);
  return nicks;
}

TEST(ReportModelTest, EachSectionShowsOnlyItsOwnMaps) {
  const WeaponTable weapons = FourWeapons();
  const StatsStore store = TwoMaps();
  std::vector<Section> maps;
  std::optional<Section> all;
  WriteSections(
      ReportOf("tonight", store, weapons), [&](const Section& s) { maps.push_back(s); },
      [&](const Section& s) { all = s; });
  ASSERT_EQ(maps.size(), 2u);
  ASSERT_TRUE(all);

  const Section& busy = maps[0];
  // By kills; among equals, blue before no team.
  EXPECT_EQ(Nicks(busy), (std::vector<std::string>{"Ace", "Bob", "Dan", "Cid"}));
  const PlayerRow& ace = busy.players[0];
  EXPECT_EQ(ace.kills, 103);
  EXPECT_EQ(ace.deaths, 3);
  EXPECT_EQ(ace.caps, 2);
  EXPECT_EQ(ace.kill_death, "34.3");
  ASSERT_EQ(ace.kills_by_weapon.size(), 2u);
  EXPECT_EQ(ace.kills_by_weapon[0].weapon, "SPAS-12");
  EXPECT_EQ(ace.kills_by_weapon[1].count, 3);
  EXPECT_EQ(busy.players[2].kill_death, "never died");
  EXPECT_EQ(busy.own_nick, "ace");
  EXPECT_EQ(busy.seconds, 600);
  EXPECT_EQ(busy.own_kills, 103);
  EXPECT_EQ(busy.blue_caps, 2);
  EXPECT_EQ(busy.hits.given[0], 4);

  const Section& quiet = maps[1];
  EXPECT_EQ(quiet.title, "ut4_casa");
  ASSERT_EQ(Nicks(quiet), (std::vector<std::string>{"Eve"}));
  const PlayerRow& eve = quiet.players[0];
  EXPECT_EQ(eve.kills, 0);
  EXPECT_EQ(eve.deaths, 2);
  EXPECT_EQ(eve.kill_death, "0");
  EXPECT_TRUE(eve.kills_by_weapon.empty());
  ASSERT_EQ(eve.deaths_by_weapon.size(), 1u);
  EXPECT_EQ(eve.deaths_by_weapon[0].weapon, "Beretta");
  EXPECT_FALSE(quiet.own_nick);
  EXPECT_EQ(quiet.seconds, 60);
  EXPECT_EQ(quiet.own_kills, 0);
  EXPECT_EQ(quiet.blue_caps, 0);
  EXPECT_FALSE(quiet.hits.any());

  // Over both: the own player's time only where he played.
  EXPECT_EQ(all->title, "All maps");
  EXPECT_EQ(Nicks(*all), (std::vector<std::string>{"Ace", "Bob", "Dan", "Cid", "Eve"}));
  EXPECT_EQ(all->players[4].deaths, 2);
  EXPECT_FALSE(all->own_nick);
  EXPECT_EQ(all->seconds, 600);
  EXPECT_EQ(all->own_kills, 103);
  EXPECT_EQ(all->blue_caps, 2);
}

// Only the outputs that show the weapons get their lists.
TEST(ReportModelTest, ListsWeaponsOnlyWhenAsked) {
  const WeaponTable weapons = FourWeapons();
  const StatsStore store = TwoMaps();
  bool any_listed = false;
  const auto look = [&](const Section& s) {
    for (const PlayerRow& row : s.players) {
      any_listed = any_listed || !row.kills_by_weapon.empty() || !row.deaths_by_weapon.empty();
    }
  };
  WriteSections(ReportOf("tonight", store, weapons, ReportWeapons::kLeftOut), look, look);
  EXPECT_FALSE(any_listed);
}

}  // namespace
}  // namespace mrv
