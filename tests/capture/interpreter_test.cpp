#include "capture/interpreter.h"

#include <gtest/gtest.h>

#include "support/capture_harness.h"
#include "files/saved_game.h"
#include "model/body.h"
#include "model/text.h"

namespace mrv {
namespace {

using test::CaptureHarness;
using test::WeaponIndex;
using Lines = std::vector<std::string>;

TEST(InterpretLineTest, LogFileCaptureTheFlagGameAcrossTwoMaps) {
  CaptureHarness h(false);
  h.session.state.options.own_nicknames = {"fak"};
  ASSERT_TRUE(h.Feed({
      "Current search path:",  // the capture's first map is already open
      "8 crosshairs parsed",
      "Loading vm file vm/cgame.qvm...",
      "8 crosshairs parsed",
      "CL_InitCGame: 11.85 seconds",
      "Com_TouchMemory: 0 msec",
      "\"mapname\" is:\"ut4_abbey^7\" default:\"nomap^7\"",
      "Fak joined the red team.",
      "Rasec joined the blue team.",
      "You hit Rasec in the Head.",
      "Rasec was torn asunder by Fak's crass AK103.",
      "You hit Rasec in the Chest.",
      "Rasec was torn asunder by Bob's crass AK103.",  // not the own player's kill
      "^1Fak^7 has taken the ^4Blue^7 flag!",
      "^1Fak^7 dropped the ^4Blue^7 flag!",
      "Fak was on the wrong end of Rasec's G36.",  // the carrier dies on the next line
      "^1Fak^7 has taken the ^4Blue^7 flag!",
      "^1Fak^7 dropped the ^4Blue^7 flag!",
      "^1(DEAD) Fak^3: ^3meh",
      "Fak was on the wrong end of Rasec's G36.",  // ... and one line later
      "^1Fak^7 has taken the ^4Blue^7 flag!",
      "^1Fak^7 dropped the ^4Blue^7 flag!",  // a drop with no kill undoes the take
      "Rasec returned the BLUE flag!",
      "You were hit in the Left Leg by Rasec.",
      "Fak was on the wrong end of Rasec's G36.",
      "^1Fak^7 has taken the ^4Blue^7 flag!",
      "^1Fak^7 captured the ^4Blue flag!",
      "8 crosshairs parsed",
      "CL_InitCGame:  9.20 seconds",
      "Com_TouchMemory: 0 msec",
      "\"mapname\" is:\"ut4_casa^7\" default:\"nomap^7\"",
      "Rasec joined the blue team.",
      "Fak joined the red team.",
      "Fak renamed to Faker",
  }));
  ASSERT_EQ(h.store.size(), 2);
  MapRecord& abbey = h.map(0);
  EXPECT_EQ(abbey.name, "ut4_abbey");
  EXPECT_EQ(abbey.nicks, (Lines{"Faker", "Rasec", "Bob"}));
  EXPECT_EQ(abbey.teams, (std::vector<std::uint8_t>{1, 2, 0}));
  EXPECT_EQ(abbey.kills(0, WeaponIndex("AK103"), 1), 1);
  EXPECT_EQ(abbey.kills(2, WeaponIndex("AK103"), 1), 1);
  EXPECT_EQ(abbey.kills(1, WeaponIndex("G36"), 0), 3);
  EXPECT_EQ(abbey.hits[0], 1);
  EXPECT_EQ(abbey.hits[8], 1);
  EXPECT_EQ(abbey.hits_taken[18], 1);
  EXPECT_EQ(abbey.killing_hits[0], 1);  // profile nicknames name the own player in a log
  EXPECT_EQ(SumOf(abbey.killing_hits), 1);
  EXPECT_EQ(abbey.last_hits_taken[18], 1);
  EXPECT_EQ(abbey.flags_taken, (std::vector<std::int32_t>{3, 0, 0}));
  EXPECT_EQ(abbey.rets, (std::vector<std::int32_t>{0, 1, 0}));
  EXPECT_EQ(abbey.carrier_kills, (std::vector<std::int32_t>{0, 2, 0}));
  EXPECT_EQ(abbey.caps[0], 1);
  EXPECT_EQ(abbey.red_flags_taken, 3);
  EXPECT_EQ(abbey.red_carrier_kills, 2);
  EXPECT_EQ(abbey.red_caps, 1);
  EXPECT_EQ(abbey.blue_rets, 1);
  EXPECT_EQ(abbey.own_nick, AbsentMark);
  EXPECT_EQ(abbey.own_kills + abbey.own_deaths + abbey.start_time + abbey.duration, 0);
  MapRecord& casa = h.map(1);
  EXPECT_EQ(casa.name, "ut4_casa");
  EXPECT_EQ(casa.nicks, (Lines{"Rasec", "Faker"}));
  EXPECT_TRUE(h.console.typed.empty());
  EXPECT_TRUE(h.clock.waits().empty());
}

TEST(InterpretLineTest, MapMarkersOpenOneMapPerChange) {
  CaptureHarness h(false);
  h.Feed({"Fak joined the red team.", "Shutting down OpenGL subsystem", "8 crosshairs parsed",
          "CL_InitCGame: 1.00 seconds"});
  EXPECT_EQ(h.store.size(), 1);
  h.Feed({"Fak joined the red team.", "Current search path:", "Current search path:",
          "8 crosshairs parsed", "CL_InitCGame: 1.00 seconds"});
  EXPECT_EQ(h.store.size(), 2);
  h.Feed({"Fak joined the red team.", "CL_InitCGame: 1.00 seconds", "8 crosshairs parsed",
          "Bob connected", "CL_InitCGame: 1.00 seconds"});
  EXPECT_EQ(h.store.size(), 2);
  h.Feed({"8 crosshairs parsed", "CL_InitCGame: 1.00 seconds"});
  ASSERT_EQ(h.store.size(), 3);
  EXPECT_EQ(h.current().name, "<map3>");
  EXPECT_TRUE(h.session.state.context.GameStartPending);
}

TEST(InterpretLineTest, MonitoredGameLearnsNamesAndAnswersThePlayer) {
  CaptureHarness h(true);
  CaptureOptions& options = h.session.state.options;
  options.frag_announcements = options.streak_announcements = false;
  options.stats_after_kill = options.hits_after_kill = options.stats_after_death = true;
  ASSERT_TRUE(h.Feed({"Com_TouchMemory: 0 msec", "\"mapname\" is:\"ut4_abbey\" default:\"nomap\"",
                      "\"name\" is:\"Fak\" default:\"UnnamedPlayer\"", "\"name\" is:\"Fak\""}));
  EXPECT_EQ(h.console.typed, (Lines{"mapname", "name", "ut_echo MRV: Map name detected!"}));
  EXPECT_EQ(h.clock.waits(), (std::vector<std::int64_t>{700, 700, 700, 700}));
  EXPECT_EQ(h.current().name, "ut4_abbey");
  EXPECT_EQ(h.current().own_nick, "Fak");  // the answer ending in its quote changes nothing

  h.console.typed.clear();
  ASSERT_TRUE(h.Feed({"Rasec was torn asunder by Fak's crass AK103."}));
  h.clock.Advance(1000);  // the next automatic reply may come a second after the last
  ASSERT_TRUE(
      h.Feed({"Fak was pistol whipped by Rasec.", "MRV_GETMYSTATS ", "mrv_getnickstats Rasec ",
              "Mrv_HeadShot ", "MRV_GETMYSTATS", "^5PunkBuster Client: Update"}));
  ASSERT_EQ(h.console.typed.size(), 6u);
  EXPECT_TRUE(h.console.typed[0].starts_with("ut_echo Your stats: "));
  EXPECT_TRUE(h.console.typed[1].starts_with("ut_echo \"^2Hits:^7 0"));
  EXPECT_TRUE(h.console.typed[2].starts_with("ut_echo Your stats: "));  // the death reply
  EXPECT_TRUE(h.console.typed[3].starts_with("ut_echo Your stats: "));
  EXPECT_TRUE(h.console.typed[4].starts_with("ut_echo Rasec stats:"));
  EXPECT_EQ(h.console.typed[5], "ut_echo Headshot sound disabled.");
  EXPECT_FALSE(options.headshot_sound);
  EXPECT_EQ(h.current().own_kills, 1);
  EXPECT_EQ(h.current().own_deaths, 1);
  EXPECT_EQ(h.session.state.context.RecentLines[1], "MRV_GETMYSTATS");

  h.clock.Advance(100'000);
  const std::int32_t now = h.clock.TickSeconds();
  h.Feed({"8 crosshairs parsed", "CL_InitCGame:  5.10 seconds"});
  ASSERT_EQ(h.store.size(), 2);
  EXPECT_EQ(h.map(0).duration, now - h.map(0).start_time);
  EXPECT_EQ(h.current().start_time, now);
  EXPECT_EQ(h.current().own_nick, "Fak");
  h.Feed({"Fak renamed to Faker", "Com_TouchMemory: 0 msec"});
  EXPECT_EQ(h.current().own_nick, "Faker");
  EXPECT_EQ(h.map(0).own_nick, "Fak");
  EXPECT_EQ(h.map(0).nicks[0], "Faker");
  // A saved log keeps the colour reset the engine prints after the old name.
  h.Feed({"Faker^7 renamed to Fak"});
  EXPECT_EQ(h.current().own_nick, "Fak");
  EXPECT_EQ(h.map(0).nicks[0], "Fak");
  EXPECT_EQ(h.console.typed.back(), "name");
}

TEST(InterpretLineTest, UnknownWeaponEndsTheRunKeepingTheMaps) {
  const DeathTemplates templates = DeathTemplates::FromLines({
      "r<VICTIM><MSG> got a lead enema from </MSG><KILLER><MSG>'s retro M4.</MSG>",
      "~<VICTIM><MSG> was zapped by </MSG><KILLER><MSG>.</MSG>",
  });
  CaptureHarness h(false, templates);
  EXPECT_FALSE(h.Feed({"Rasec got a lead enema from Fak's retro M4.",
                       "Current search path:", "Rasec got a lead enema from Fak's retro M4.",
                       "Rasec was zapped by Fak.", "never read"}));
  EXPECT_EQ(h.session.state.context.weapon_index, -1);
  ASSERT_EQ(h.prompt.shown.size(), 1u);
  EXPECT_EQ(h.prompt.shown[0].text,
            "Your DeathMsgs.txt file or stats.ini file seems corrupted!\r\nYou may get the most "
            "recent version at "
            "https://morvane.example.org\r\nThe stats can be wrong!");
  ASSERT_EQ(h.store.size(), 2);
  EXPECT_EQ(h.map(1).kills(0, WeaponIndex("M4"), 1), 1);
  EXPECT_EQ(h.session.state.context.RecentLines[1], "Rasec got a lead enema from Fak's retro M4.");
}

TEST(InterpretLineTest, HostileLinesNeverReachOutsideTheStore) {
  CaptureHarness h(false);
  h.session.state.options.own_nicknames = {"Fak"};
  // Raw lines that look like markers, with codes no marker carries.
  h.Feed({"\xFFHIT\x99Rasec", "Rasec was torn asunder by Fak's crass AK103.",
          "\xFF"
          "DRP",
          "\xFFWER", "Fak was torn asunder by Rasec's crass AK103."});
  EXPECT_EQ(SumOf(h.current().killing_hits) + SumOf(h.current().last_hits_taken), 0);

  // A full map takes no further nickname, and what would need one is not counted.
  CaptureHarness full(false);
  MapRecord& map = full.current();
  Lines players;
  for (int i = 0; i < kMaxNicksPerMap; ++i) players.push_back("P" + std::to_string(i));
  ASSERT_TRUE(AddNicks(map, players, 0));
  full.Feed({"P1 was torn asunder by Newbie's crass AK103.", "You hit Newbie in the Head.",
             "^1Newbie^7 has taken the ^4Blue^7 flag!",
             "P1 was torn asunder by P2's crass AK103."});
  EXPECT_EQ(map.nick_count(), kMaxNicksPerMap);
  EXPECT_EQ(map.hits[0], 0);
  EXPECT_EQ(map.red_flags_taken, 0);
  EXPECT_EQ(map.kills(NickIndex(map, "P2"), WeaponIndex("AK103"), NickIndex(map, "P1")), 1);
}

// A rename finds the old nickname as printed first, on each map and for the own
// nickname; only where it is missing, the nickname without its colour reset.
TEST(InterpretLineTest, RenamesFindTheExactNameFirst) {
  CaptureHarness h(false);
  ASSERT_TRUE(h.Feed({"^4x^7y^7 was pistol whipped by ^4x^7y.",
                      "Current search path:", "Blub was pistol whipped by ^4x^7y.",
                      "^4x^7y^7 renamed to by", "Blub^7 renamed to Blub|afk"}));
  EXPECT_EQ(h.map(0).nicks, (Lines{"^4x^7y", "by"}));    // the exact name where it stands,
  EXPECT_EQ(h.map(1).nicks, (Lines{"by", "Blub|afk"}));  // the stripped one elsewhere
  h.current().own_nick = "Me";
  h.Feed({"Me^7 renamed to Myself"});
  EXPECT_EQ(h.current().own_nick, "Myself");
}

// What a saved game could not hold back never enters the store, so that a capture can
// always be saved: a nickname that reads as a section marker is not counted, a rename to
// one and an overlong map name are ignored.
TEST(InterpretLineTest, NamesASavedGameCouldNotHoldAreNotTakenIn) {
  CaptureHarness h(false);
  const std::string long_name(kMaxNameLength + 1, 'm');
  ASSERT_TRUE(h.Feed({"[ENICKS] was pistol whipped by Fak.", "Rasec was pistol whipped by [EMAP].",
                      "Fak renamed to [MAP]", "\"mapname\" is:\"" + long_name + "^7\"",
                      "Fak was pistol whipped by Rasec."}));
  EXPECT_EQ(h.current().nicks, (Lines{"Fak", "Rasec"}));
  EXPECT_EQ(h.current().kills(1, WeaponIndex("Beretta"), 0), 1);
  EXPECT_EQ(h.current().name, "<map1>");
  EXPECT_TRUE(GameFileText(h.store, "game"));
}

// A saved game holds no negative count: a carrier who took the flag for one team and
// drops it for the other (a team change while carrying) takes nothing below zero.
TEST(InterpretLineTest, ADropNeverTakesATeamsFlagsTakenBelowZero) {
  CaptureHarness h(false);
  ASSERT_TRUE(h.Feed({"^1Fak^7 has taken the ^4Blue^7 flag!", "Fak joined the blue team.",
                      "^4Fak^7 dropped the ^1Red^7 flag!"}));
  EXPECT_EQ(h.current().flags_taken[0], 0);
  EXPECT_EQ(h.current().red_flags_taken, 1);
  EXPECT_EQ(h.current().blue_flags_taken, 0);
  EXPECT_TRUE(GameFileText(h.store, "game"));
}

}  // namespace
}  // namespace mrv
