// The console monitor against the real bridge running the scripted fake game. The
// fake game's "expect" lines check what the capture typed: a missing or different line
// makes the game, and so the bridge, exit with 3.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "capture/console/bridge_console.h"
#include "capture/monitor_run.h"
#include "support/bridge_harness.h"
#include "support/capture_harness.h"
#include "support/paths.h"

namespace mrv::test {
namespace {

// A capture of the console behind one socket, on its own thread. Everything but
// `capture` belongs to that thread until Join.
struct LiveMonitor {
  LiveMonitor(const std::filesystem::path& socket, Clock& clock)
      : console(socket),
        store(ShippedWeapons().size()),
        session(store, ShippedWeapons(), ShippedTemplates(),
                {clock, sound, random, prompt, cancel, &console}) {
    session.state.options.frag_announcements = false;
    session.state.options.streak_announcements = false;
  }

  FakeSound sound;
  FakeRandom random;
  FakePrompt prompt;
  CancelToken cancel;
  BridgeConsole console;
  StatsStore store;
  CaptureSession session;
  RecordingMonitorStatus status;
  // Last, so that it goes first: a run still going is cancelled and waited for.
  MonitorCapture capture{session, status};
};

TEST(MonitorEndToEndTest, AnEveningWithCommandsMapChangesAndARelaunch) {
  ScratchDir scratch("monitor-evening");
  std::vector<std::string> first = Then(
      GameStart("ut4_abbey"),
      {"print ^1Fak^7 joined the red team.", "print Some Player joined the blue team.",
       "print You hit Some Player in the Head.",
       "print Some Player got a lead enema from Fak's retro M4.", "print Events done.",
       // The player's four commands, answered in order.
       "expect 5000 ;ut_echo \" ^2Kills:^7 1     ^1Deaths:^7 0     ^4K/D:^7 perfect     "
       "^4K/m:^7 1\";ut_echo \"^2Caps:^7 0     ^2Rets:^7 0     ^2FCK:^7 0",
       "expect 5000 ut_echo \"^2Hits:^7 1     ^1Hits Taken:^7 0\";ut_echo \"^2Head:^7 1     "
       "^2Body:^7 0     ^2Arms:^7 0     ^2Legs:^7 0\";ut_echo \"^1Head:^7 0     ^1Body:^7 0     "
       "^1Arms:^7 0     ^1Legs:^7 0",
       "expect 5000 ut_echo Some Player stats:;ut_echo \" ^2Kills:^7 0     ^1Deaths:^7 1     "
       "^4K/D:^7 0\";ut_echo \"^2Caps:^7 0     ^2Rets:^7 0     ^2FCK:^7 0",
       "expect 5000 ut_echo Headshot sound disabled."});
  // The next map; the own death is answered on its own.
  first = Then(
      Then(first, MapStart("ut4_turnpike")),
      {"print Fak was torn asunder by Rasec's crass AK103.",
       "expect 5000 ^2Kills:^7 0     ^1Deaths:^7 1     ^4K/D:^7 0     ^4K/m:^7 0\"", "quit 0"});
  const std::vector<std::string> second = Then(
      GameStart("ut4_casa"),
      {"print Rasec joined the blue team.",
       "print Rasec got a whole lot of hole from Fak's DE round.", "print Evening over.",
       "expect 5000 ut_echo Rasec stats:;ut_echo \" ^2Kills:^7 0     ^1Deaths:^7 1", "quit 0"});

  QuickPauseClock clock;
  LiveMonitor live(scratch / "console.sock", clock);
  live.session.state.options.stats_after_death = true;
  live.prompt.ask_answers = {true, false};
  live.capture.Start();  // searching before the game runs
  {
    BridgeRun game(scratch.path(), WriteScript(scratch.path(), "first.script", first), "first.log");
    ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
    BridgeConsole player(game.socket());
    ASSERT_TRUE(player.Find());
    WaitForText(player, "Events done.");
    for (const char* command : {"ut_echo MrV_GeTmYsTaTs", "ut_echo MRV_GETHITSTATS",
                                "ut_echo mrv_getnickstats Some Player", "ut_echo MRV_HEADSHOT"}) {
      EXPECT_TRUE(player.TypeLine(command)) << player.last_error();
    }
    EXPECT_EQ(game.WaitForExit(), 0) << game.messages();
  }
  {
    BridgeRun game(scratch.path(), WriteScript(scratch.path(), "second.script", second),
                   "second.log");
    ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
    BridgeConsole player(game.socket());
    ASSERT_TRUE(player.Find());
    WaitForText(player, "Evening over.");
    EXPECT_TRUE(player.TypeLine("ut_echo MRV_GETNICKSTATS Rasec"));
    EXPECT_EQ(game.WaitForExit(), 0) << game.messages();
  }
  ASSERT_EQ(live.capture.Join(), MonitorEnd::kGameClosed);

  ASSERT_EQ(live.store.size(), 3);
  const MapRecord& abbey = live.store[0];
  const MapRecord& turnpike = live.store[1];
  const MapRecord& casa = live.store[2];
  EXPECT_EQ(abbey.name, "ut4_abbey");
  EXPECT_EQ(turnpike.name, "ut4_turnpike");
  EXPECT_EQ(casa.name, "ut4_casa");
  EXPECT_EQ(abbey.own_nick, "Fak");
  EXPECT_EQ(Kills(abbey, "Fak", "M4", "Some Player"), 1);
  EXPECT_EQ(abbey.hits[0], 1);
  EXPECT_EQ(abbey.own_kills, 1);
  EXPECT_EQ(Kills(turnpike, "Rasec", "AK103", "Fak"), 1);
  EXPECT_EQ(turnpike.own_deaths, 1);
  EXPECT_EQ(Kills(casa, "Fak", "Desert Eagle", "Rasec"), 1);
  EXPECT_FALSE(live.session.state.options.headshot_sound);
  ASSERT_EQ(live.prompt.shown.size(), 2u);
  EXPECT_EQ(live.prompt.shown[1].title, "Quake3 lost!");
  EXPECT_EQ(std::count(live.status.lines.begin(), live.status.lines.end(), "Quake3 found!"), 2);
}

TEST(MonitorEndToEndTest, LosesNoLineUnderBurstsWithClearsBetween) {
  ScratchDir scratch("monitor-bursts");
  // 6000 hit lines in 300 bursts, with long lines that make the console be cleared
  // about every other burst. Every 25 bursts the echo of a player's command waits for
  // its answer, which comes only once all before it was read: the game never runs far
  // ahead of the capture.
  std::vector<std::string> lines = {"console", "print Rasec joined the blue team."};
  const std::string filler = "burst 40 " + std::string(100, '-');
  for (int burst = 1; burst <= 300; ++burst) {
    lines.insert(lines.end(), {"burst 20 You hit Rasec in the Chest.", filler, "sleep 1"});
    if (burst % 25 == 0) {
      lines.insert(lines.end(), {"print MRV_HEADSHOT ", "expect 20000 ut_echo Headshot sound"});
    }
  }
  lines.push_back("quit 0");
  BridgeRun game(scratch.path(), WriteScript(scratch.path(), "bursts.script", lines));
  ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
  QuickPauseClock clock;
  LiveMonitor live(game.socket(), clock);
  live.prompt.ask_answers = {false};  // do not wait for the game once it quit
  live.capture.Start();
  EXPECT_EQ(game.WaitForExit(), 0) << game.messages();
  ASSERT_EQ(live.capture.Join(), MonitorEnd::kGameClosed);
  ASSERT_EQ(live.store.size(), 1);
  EXPECT_EQ(live.store[0].hits[8], 6000) << "hits in the Chest";
}

TEST(MonitorEndToEndTest, EndsOnRequestAtAnyPoint) {
  ScratchDir scratch("monitor-requests");
  SystemClock clock;  // the real pauses, which a request must cut short
  {
    LiveMonitor searching(scratch / "console.sock", clock);
    searching.capture.Start();
    searching.capture.Cancel();
    EXPECT_EQ(searching.capture.Join(), MonitorEnd::kCancelled);
  }
  BridgeRun game(scratch.path(), "evening.script");
  ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
  bool stop = false;
  for (const int delay_ms : {0, 2, 10, 40, 150, 400, 900}) {
    stop = !stop;
    LiveMonitor live(game.socket(), clock);
    live.capture.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    if (stop) {
      live.capture.Stop();
      live.capture.Cancel();  // too late: the first request counts
    } else {
      live.capture.Cancel();
    }
    EXPECT_EQ(live.capture.Join(), stop ? MonitorEnd::kStopped : MonitorEnd::kCancelled)
        << "after " << delay_ms << " ms";
    EXPECT_GE(live.store.size(), 1);
  }
  EXPECT_TRUE(game.running()) << "the game outlives the captures";
}

#ifdef MORVANE_IOQ3DED
// Debian's ioquake3 dedicated server, the engine Urban Terror 4.3 is built on, with a
// game folder that holds nothing but its default.cfg. It prints the given start-up
// lines, and keeps the arguments of the last "ut_echo" typed in a setting of that name,
// which it shows when "ut_echo" alone is typed.
std::vector<std::string> RealEngine(const std::filesystem::path& folder,
                                    const std::vector<std::string>& startup_lines) {
  const auto base = folder / "base";
  std::filesystem::create_directories(base / "morvane");
  std::filesystem::create_directories(folder / "home");
  WriteFileBytes(base / "morvane" / "default.cfg", "// a game without data, for the tests\n");
  std::vector<std::string> command = {MORVANE_IOQ3DED};
  const std::pair<std::string, std::string> settings[] = {
      {"com_standalone", "1"}, {"com_basegame", "morvane"},
      {"fs_basepath", base},   {"fs_homepath", (folder / "home").string()},
      {"net_enabled", "0"},    {"dedicated", "1"},
      {"ut_echo", "none"}};
  for (const auto& [name, value] : settings) command.insert(command.end(), {"+set", name, value});
  for (const std::string& line : startup_lines) command.insert(command.end(), {"+echo", line});
  return command;
}
#endif

// The capture through the bridge with the real engine, which prints no marker when its
// terminal console starts and reads typed text a byte a frame. Requests naming a player
// with an accent and hostile ones come first: their replies must neither stop the
// game's reading nor make it run anything but what was meant.
TEST(RealEngineTest, TypesIntoItAndNamesTheMapFromItsAnswer) {
#ifndef MORVANE_IOQ3DED
  GTEST_SKIP() << "Debian's ioquake3-server is not installed (scripts/install-deps.sh does it)";
#else
  ScratchDir scratch("real-engine");
  BridgeRun engine(
      scratch.path(),
      RealEngine(scratch.path(), {"MRV_GETNICKSTATS Jos\xe9 ", "MRV_GETNICKSTATS x;quit;x ",
                                  "MRV_GETNICKSTATS a/**/quit ", "8 crosshairs parsed",
                                  "CL_InitCGame:  2.05 seconds", "Com_TouchMemory: 0 msec"}),
      "engine.log", "engine.sock");
  ASSERT_TRUE(engine.WaitUntilServing()) << engine.messages();
  BridgeConsole player(engine.socket());
  ASSERT_TRUE(player.Find());
  const std::string start = WaitForText(player, "Com_TouchMemory: 0 msec");
  ASSERT_NE(start.find("\r\nMRV_GETNICKSTATS x;quit;x \r\n"), std::string::npos) << start;
  EXPECT_EQ(start.find("tty console"), std::string::npos) << start;
  EXPECT_TRUE(player.CanType()) << "the terminal tells, without any printed marker";

  QuickPauseClock clock;
  LiveMonitor live(engine.socket(), clock);
  live.capture.Start();
  // The game takes a byte every 50 ms: the replies take seconds before mapname goes.
  // Once it answered, the capture's last line, kept by the game, shows when the capture
  // has named the map.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  const auto wait_for = [&](std::string_view text) {
    std::string shown = player.Text();
    while (shown.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline &&
           engine.running()) {
      player.WaitForChange(std::chrono::milliseconds(500));
      shown = player.Text();
    }
    player.DropRead(shown.size());
    return shown;
  };
  EXPECT_NE(wait_for("\"mapname\" is:\"nomap\"").find("mapname"), std::string::npos);
  std::string shown;
  while (shown.find("\"ut_echo\" is:\"MRV: Map name detected!") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline && engine.running()) {
    ASSERT_TRUE(player.TypeLine("ut_echo")) << player.last_error();
    shown = wait_for("\"ut_echo\" is:");
  }
  live.capture.Stop();
  ASSERT_EQ(live.capture.Join(), MonitorEnd::kStopped);
  ASSERT_EQ(live.store.size(), 1);
  EXPECT_EQ(live.store[0].name, "nomap");

  // Nothing the replies carried ran, and the game still reads whole lines.
  EXPECT_TRUE(engine.running());
  ASSERT_TRUE(player.TypeLine("echo typed input intact"));
  EXPECT_NE(("\n" + WaitForText(player, "typed input intact")).find("\ntyped input intact\r\n"),
            std::string::npos);
  ASSERT_TRUE(player.TypeLine("quit"));
  EXPECT_EQ(engine.WaitForExit(), 0) << engine.messages();
#endif
}

}  // namespace
}  // namespace mrv::test
