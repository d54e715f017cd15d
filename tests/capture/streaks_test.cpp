#include "capture/streaks.h"

#include <gtest/gtest.h>

#include "support/capture_harness.h"

namespace mrv {
namespace {

using test::CaptureHarness;
using Lines = std::vector<std::string>;

constexpr std::string_view kGameStart = "Com_TouchMemory: 0 msec";
constexpr std::string_view kOwnName = "\"name\" is:\"Fak\" default:\"UnnamedPlayer\"";

// A monitored game already started, with Fak as the own player; only the options
// under test are on.
CaptureHarness& Started(CaptureHarness& harness) {
  CaptureOptions& options = harness.session.state.options;
  options.frag_announcements = options.streak_announcements = options.headshot_sound = false;
  EXPECT_TRUE(harness.Feed({kGameStart, kOwnName}));
  harness.console.typed.clear();
  harness.sound.played.clear();
  return harness;
}

TEST(StreaksTest, HitStreakIsToldFromTheFifthHitWhenTheDrawAllows) {
  CaptureHarness harness(true);
  Started(harness).session.state.options.streak_announcements = true;
  harness.random.answers = {2, 3};
  harness.Feed({"You hit Rasec in the Chest.", "You were hit in the Chest by Rasec.",
                "You hit Rasec in the Chest.", "You hit Rasec in the Chest.",
                "You hit Rasec in the Chest.", "You hit Rasec in the Chest."});
  EXPECT_EQ(harness.random.asked, (std::vector<int>{5, 5}));
  EXPECT_EQ(harness.console.typed, Lines{"ut_echo 6 Chest shots in a row!"});
  harness.Feed({"You hit Rasec in the Neck."});
  EXPECT_EQ(harness.session.state.streaks.HitStreak.count, 1);
}

TEST(StreaksTest, AnnouncementsComeAtMostOnceASecondButRepliesAlways) {
  CaptureHarness harness(true);
  Started(harness).session.state.options.streak_announcements = true;
  harness.random.answers.assign(100, 4);
  for (int i = 0; i < 20; ++i) harness.Feed({"You hit Rasec in the Chest."});
  harness.Feed({"MRV_GETHITSTATS ", "MRV_HEADSHOT "});
  harness.clock.Advance(999);
  harness.Feed({"You hit Rasec in the Chest."});
  harness.clock.Advance(1);
  harness.Feed({"You hit Rasec in the Chest."});
  ASSERT_EQ(harness.console.typed.size(), 4u);
  EXPECT_EQ(harness.console.typed[0], "ut_echo 5 Chest shots in a row!");
  EXPECT_TRUE(harness.console.typed[1].starts_with("ut_echo \"^2Hits:^7 20"));
  EXPECT_EQ(harness.console.typed[2], "ut_echo Headshot sound enabled.");
  EXPECT_EQ(harness.console.typed[3], "ut_echo 22 Chest shots in a row!");
}

TEST(StreaksTest, KillAndDeathStreaksByLocation) {
  CaptureHarness harness(true);
  Started(harness).session.state.options.streak_announcements = true;
  const std::string_view kill = "Rasec was torn asunder by Fak's crass AK103.";
  const std::string_view death = "Fak was torn asunder by Rasec's crass AK103.";
  harness.Feed({"You hit Rasec in the Neck.", kill, "You hit Rasec in the Neck.", kill});
  EXPECT_EQ(harness.console.typed, Lines{"ut_echo That's 2 kills by Neck shot in a row!!"});
  harness.console.typed.clear();
  harness.clock.Advance(1000);
  harness.Feed({"You hit Rasec in the Chest.", kill, "You hit Rasec in the Chest.", kill});
  EXPECT_TRUE(harness.console.typed.empty());
  harness.Feed({"You hit Rasec in the Chest.", kill});
  EXPECT_EQ(harness.console.typed, Lines{"ut_echo That's 3 kills by Chest shot in a row!!"});
  harness.console.typed.clear();
  for (int i = 0; i < 4; ++i) harness.Feed({"You hit Rasec in the Kevlar Vest.", kill});
  // A kill with no hit just before leaves the streak alone.
  harness.Feed({"You hit Rasec in the Head.", "Rasec joined the red team.", kill});
  EXPECT_TRUE(harness.console.typed.empty());
  EXPECT_EQ(harness.session.state.streaks.KillStreak.count, 4);

  harness.clock.Advance(1000);
  harness.Feed({"You were hit in the Helmet by Rasec.", death,
                "You were hit in the Helmet by Rasec.", death});
  EXPECT_EQ(harness.console.typed, Lines{"ut_echo That's 2 deaths by Helmet shot in a row!!"});
}

TEST(StreaksTest, TopFraggerAndCapHighPraiseOnlyTheLeader) {
  CaptureHarness harness(true);
  Started(harness).session.state.options.frag_announcements = true;
  harness.random.answers = {99, 99};
  harness.Feed({"Rasec was torn asunder by Bob's crass AK103."});
  EXPECT_EQ(
      harness.console.typed,
      (Lines{"ut_echo Bob stats:;ut_echo \" ^2Kills:^7 1     ^1Deaths:^7 0     ^4K/D:^7 perfect",
             "ut_echo Bob is a top fragger!"}));
  EXPECT_EQ(harness.clock.waits().back(), 700);
  harness.console.typed.clear();
  harness.random.asked.clear();
  harness.random.answers = {0, 0, 0, 0};
  harness.clock.Advance(1000);
  // Fak with 1 kill does not lead Bob's 2; a suicide draws nothing.
  harness.Feed({"Rasec was torn asunder by Bob's crass AK103.", "Bob was pistol whipped by Fak.",
                "Bob killed himself."});
  EXPECT_EQ(harness.random.asked, (std::vector<int>{190, 180, 190}));
  EXPECT_EQ(harness.console.typed.size(), 2u);

  harness.console.typed.clear();
  harness.random.answers = {100};
  harness.Feed({"Rasec captured the Blue flag!"});
  EXPECT_TRUE(harness.console.typed.empty());
  harness.random.answers = {5};
  harness.clock.Advance(1000);
  harness.Feed({"Bob captured the Blue flag!"});
  EXPECT_EQ(harness.console.typed,
            (Lines{"ut_echo Bob stats:;ut_echo \"^2Caps:^7 1     ^2Rets:^7 0     ^2FCK:^7 0",
                   "ut_echo Bob has a flag cap high!"}));
}

TEST(StreaksTest, SoundsWhileMonitoringOnly) {
  CaptureHarness monitor(true);
  Started(monitor).session.state.options.headshot_sound = true;
  monitor.Feed({"You hit Rasec in the Helmet.", "You hit Rasec in the Neck.",
                "You were hit in the Head by Rasec.",
                "Rasec was BBQ'ed by Fak's exploding monkey."});
  EXPECT_EQ(monitor.sound.played, (std::vector<Sound>{Sound::Headshot, Sound::Monkey}));

  CaptureHarness log(false);
  log.session.state.options.streak_announcements = true;
  for (int i = 0; i < 6; ++i)
    log.Feed({"You hit Rasec in the Head.", "Rasec was BBQ'ed by Fak's exploding monkey."});
  EXPECT_EQ(log.session.state.streaks.HitStreak.count, 6);
  EXPECT_TRUE(log.sound.played.empty());
  EXPECT_TRUE(log.random.asked.empty());
  EXPECT_TRUE(log.console.typed.empty());
}

}  // namespace
}  // namespace mrv
