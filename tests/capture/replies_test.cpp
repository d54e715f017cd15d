#include "capture/replies.h"

#include <gtest/gtest.h>

#include "support/capture_harness.h"
#include "model/text.h"

namespace mrv {
namespace {

using test::CaptureHarness;

// A monitored map that started `elapsed` seconds ago, with Fak as the own player.
struct RepliesTest : ::testing::Test {
  void StartedAgo(std::int32_t elapsed) { map.start_time = harness.clock.TickSeconds() - elapsed; }
  int AddPlayer(std::string_view nick) { return FindOrAddNick(map, nick, 0); }

  CaptureHarness harness{true};
  MapRecord& map = harness.current();
};

TEST_F(RepliesTest, StatsReplyForTheOwnPlayer) {
  StartedAgo(12 * 60 + 5);
  map.own_nick = "Fak";
  const int fak = AddPlayer("Fak");
  map.own_kills = 5;
  map.own_deaths = 3;
  map.caps[static_cast<std::size_t>(fak)] = 1;
  EXPECT_EQ(BuildStatsReply(harness.session, "Fak", true, true).text(),
            "ut_echo Your stats: 12:5s;ut_echo \" ^2Kills:^7 5     ^1Deaths:^7 3     ^4K/D:^7 1.66 "
            "    ^4K/m:^7 0.38"
            "\";ut_echo \"^2Caps:^7 1     ^2Rets:^7 0     ^2FCK:^7 0");
  // Kills per minute begun.
  map.own_kills = 7;
  map.own_deaths = 0;
  StartedAgo(59);
  EXPECT_EQ(BuildStatsReply(harness.session, "Fak", true, false).text(),
            "ut_echo Your stats: 59s;ut_echo \" ^2Kills:^7 7     ^1Deaths:^7 0     ^4K/D:^7 "
            "perfect     ^4K/m:^7 7");
  StartedAgo(60);
  EXPECT_NE(BuildStatsReply(harness.session, "Fak", true, false).text().find("^4K/m:^7 3.5"),
            std::string::npos);
}

TEST_F(RepliesTest, StatsReplyForOthersComesFromTheKillTable) {
  StartedAgo(30);
  map.own_nick = "Fak";
  const int fak = AddPlayer("Fak");
  const int rasec = AddPlayer("Rasec");
  map.SetKills(rasec, 0, fak, 2);
  map.SetKills(rasec, 3, rasec, 1);  // his suicide counts as his kill here
  map.SetKills(fak, 1, rasec, 4);
  map.carrier_kills[static_cast<std::size_t>(rasec)] = 2;
  EXPECT_EQ(BuildStatsReply(harness.session, "Rasec", true, false).text(),
            "ut_echo Rasec stats:;ut_echo \" ^2Kills:^7 3     ^1Deaths:^7 4     ^4K/D:^7 0.75");
  EXPECT_EQ(BuildStatsReply(harness.session, "Rasec", false, true).text(),
            "ut_echo Rasec stats:;ut_echo \"^2Caps:^7 0     ^2Rets:^7 0     ^2FCK:^7 2")
      << "no empty echo before the flags";
  // The own-player test is exact, the lookup is not.
  EXPECT_EQ(BuildStatsReply(harness.session, "FAK", true, false).text(),
            "ut_echo FAK stats:;ut_echo \" ^2Kills:^7 4     ^1Deaths:^7 2     ^4K/D:^7 2");
  EXPECT_EQ(BuildStatsReply(harness.session, "Nobody", true, true).text(),
            "ut_echo 30s ^1No stats available for Nobody yet^7");
  EXPECT_EQ(BuildStatsReply(harness.session, AbsentMark, true, true).text(),
            "ut_echo 30s ^1No stats available yet^7");
}

TEST_F(RepliesTest, HitReplyGroupsTheBody) {
  harness.session.state.counters = {7, 3, 0, 0};
  map.hits[0] = 1;   // Head
  map.hits[2] = 1;   // Helmet
  map.hits[4] = 2;   // Right Arm
  map.hits[9] = 2;   // Heart
  map.hits[20] = 1;  // Left Foot
  map.hits_taken[16] = 3;
  EXPECT_EQ(BuildHitReply(harness.session).text(),
            "ut_echo \"^2Hits:^7 7     ^1Hits Taken:^7 3\";"
            "ut_echo \"^2Head:^7 2     ^2Body:^7 2     ^2Arms:^7 2     ^2Legs:^7 1\";"
            "ut_echo \"^1Head:^7 0     ^1Body:^7 3     ^1Arms:^7 0     ^1Legs:^7 0");
}

TEST_F(RepliesTest, StartGameAsksForTheNamesWithTheSoundWarmedUpSilently) {
  CaptureState& state = harness.session.state;
  state.counters = {4, 5, 6, 7};
  state.streaks.HitStreak = {9, 3};
  state.context.GameStartPending = true;
  harness.clock.Advance(5000);
  StartGame(harness.session);
  EXPECT_EQ(map.start_time, 1005);
  EXPECT_EQ(harness.console.typed, (std::vector<std::string>{"mapname", "name"}));
  EXPECT_EQ(harness.clock.waits(), (std::vector<std::int64_t>{700, 700, 700}));
  EXPECT_EQ(harness.sound.played, (std::vector<Sound>{Sound::Headshot, Sound::Monkey}));
  EXPECT_EQ(harness.sound.stops, 1);
  EXPECT_EQ(harness.sound.volume_history, (std::vector<int>{0, 200}));
  EXPECT_EQ(state.counters.TopKills + state.counters.TopCaps + state.counters.GameHitsGiven, 0);
  EXPECT_EQ(state.counters.GameHitsTaken, 0);
  EXPECT_EQ(state.streaks.HitStreak.count, 0);
  EXPECT_EQ(state.streaks.HitStreak.last_location, 9);
  EXPECT_FALSE(state.context.GameStartPending);

  // A cancel cuts the waits short and nothing more is typed.
  harness.console.typed.clear();
  harness.cancel.Request();
  StartGame(harness.session);
  EXPECT_TRUE(harness.console.typed.empty());
  EXPECT_EQ(harness.clock.waits().size(), 4u);
}

}  // namespace
}  // namespace mrv
