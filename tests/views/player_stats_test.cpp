#include "views/player_stats.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

// Two maps: Player red then blue (as PLAYER), Lone never in a team.
Database TwoMaps() {
  Database db(3);
  map_record& first = NewMap(db, "ut4_abbey");
  FindOrAddNick(first, "Player", 1);
  FindOrAddNick(first, "Lone", 0);
  FindOrAddNick(first, "Blue", 2);
  first.kills(0, 1, 1) = 2;  // Player kills Lone twice with weapon 1
  first.kills(0, 2, 0) = 1;  // Player kills himself with weapon 2
  first.kills(1, 0, 0) = 1;  // Lone kills Player with weapon 0
  first.caps[0] = 2;
  first.ft[0] = 3;
  first.own_nick = "player";
  first.own_kills = 2;
  first.own_deaths = 2;
  first.duration = 300;
  first.blue_caps = 4;
  map_record& second = NewMap(db, "ut4_casa");
  FindOrAddNick(second, "PLAYER", 2);
  second.kills(0, 1, 0) = 0;
  second.own_nick = "Nobody";
  second.own_kills = 9;
  return db;
}

TEST(PlayerStats, MergesNicknamesAndTeamsOverMaps) {
  const Database db = TwoMaps();
  const auto players = MergePlayers(AllMaps(db));
  ASSERT_EQ(players.size(), 3u);
  EXPECT_EQ(players[0].nick, "Blue");  // blue first, then red, both, none
  EXPECT_EQ(players[0].team, 2);
  EXPECT_EQ(players[1].nick, "Player");  // first spelling kept
  EXPECT_EQ(players[1].team, 3);
  EXPECT_EQ(players[2].nick, "Lone");
  EXPECT_EQ(players[2].team, 0);
}

TEST(PlayerStats, SuicidesAreDeathsAndOwnTotalsNeedTheOwnNick) {
  const Database db = TwoMaps();
  const auto stats = CollectPlayerStats(AllMaps(db), 3, "PLAYER");
  EXPECT_EQ(stats.kills, (std::vector<std::int32_t>{0, 2, 0}));
  EXPECT_EQ(stats.deaths, (std::vector<std::int32_t>{1, 0, 1}));
  EXPECT_EQ(stats.caps, 2);
  EXPECT_EQ(stats.ft, 3);
  const auto own = CollectOwnTotals(AllMaps(db));  // the second map's own nick is unknown there
  EXPECT_EQ(own.kills, 2);
  EXPECT_EQ(own.seconds, 300);
  EXPECT_EQ(own.caps, 2);
  EXPECT_EQ(CollectTeamTotals(AllMaps(db)).blue_caps, 4);
  EXPECT_TRUE(MergePlayers({}).empty());
}

TEST(PlayerStats, RatioTextsAndHiddenWeapons) {
  EXPECT_EQ(CapturePercent(2, 3), "66.6");
  EXPECT_EQ(CapturePercent(1, 0), "100");
  EXPECT_EQ(CapturePercent(0, 0), "");
  EXPECT_EQ(KillDeathText(3, 0), "never died");
  EXPECT_EQ(KillDeathText(2, 3), "0.66");
  WeaponTable weapons;
  weapons.Append("aKnife");
  weapons.Append("\xFFUnknown");
  weapons.Append("bBeretta");
  EXPECT_EQ(VisibleTotal({2, 5, 1}, weapons), 3);
  EXPECT_EQ(VisibleTotal({-1, 0, 4}, weapons), 4);
}

}  // namespace
}  // namespace mrv
