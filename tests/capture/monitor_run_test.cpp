#include "capture/monitor_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/line_handling.h"
#include "support/capture_harness.h"

namespace mrv {
namespace {

using test::CaptureHarness;

// A monitor run on the test's thread. Every wait for a console change moves the fake
// clock by the wait's timeout and then runs the next step of the script; once the script
// is done the player stops the capture.
class ScriptedMonitor {
 public:
  explicit ScriptedMonitor(const DeathTemplates& templates = test::ShippedTemplates())
      : h(true, templates, false), requests(h.cancel) {
    h.session.state.options.frag_announcements = false;
    h.session.state.options.streak_announcements = false;
    test::RunStepsAtEachWait(h.console, h.clock, requests, steps);
  }

  void Then(std::function<void()> step) { steps.push_back(std::move(step)); }
  void Print(std::string_view line) { h.console.Print(line); }
  MonitorEnd Run() { return RunConsoleMonitor(h.session, status, requests); }

  CaptureHarness h;
  test::RecordingMonitorStatus status;
  MonitorRequests requests;
  std::deque<std::function<void()>> steps;
};

const std::string kGameLost =
    "Quake 3 was closed!\r\n\r\nContinue searching for Quake?\r\n\r\n(click cancel to show stats)";

TEST(ConsoleMonitorTest, HandlesEveryNewLineOnceAndAsksForTheMapOnce) {
  ScriptedMonitor m;
  m.h.console.present = false;
  m.h.console.on_find = [&] { m.h.console.present = m.h.console.finds >= 3; };
  m.Then([&] { m.Print("Rasec joined the blue team."); });
  m.Then([&] {
    m.Print("Rasec got a lead enema from Fak's retro M4.");
    m.Print("Fak was torn asunder by Rasec's crass AK103.");
  });
  m.Then([&] {
    EXPECT_EQ(m.h.console.typed, (std::vector<std::string>{"mapname", "name"}))
        << "a read before the answer asks no more";
    m.Print("\"mapname\" is:\"ut4_abbey\" default:\"nomap\"");
    m.Print("You hit Rasec in the Chest.");
  });
  m.Then([&] {
    m.Print("\"mapname\" is:\"ut4_abbey\" default:\"nomap\"");
    m.Print("Rasec got a lead enema from Fak's retro M4.");
  });

  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  EXPECT_EQ(m.status.lines, (std::vector<std::string>{"[clear]", "Waiting for Quake3...",
                                                      "Click \"Ok\" to stop and view stats",
                                                      "Quake3 found!", "Monitoring..."}));
  // The search waits between attempts instead of spinning.
  ASSERT_GE(m.h.clock.waits().size(), 2u);
  EXPECT_EQ(m.h.clock.waits()[0], kSearchRetryWait.count());
  EXPECT_EQ(m.h.clock.waits()[1], kSearchRetryWait.count());
  EXPECT_EQ(m.h.console.typed,
            (std::vector<std::string>{"mapname", "name", "ut_echo MRV: Map name detected!"}))
      << "the player's own mapname is answered, not told again";
  ASSERT_EQ(m.h.store.size(), 1);
  const MapRecord& map = m.h.map(0);
  EXPECT_EQ(map.name, "ut4_abbey");
  const int fak = NickIndex(map, "Fak");
  const int rasec = NickIndex(map, "Rasec");
  EXPECT_EQ(map.kills(fak, test::WeaponIndex("M4"), rasec), 2);
  EXPECT_EQ(map.kills(rasec, test::WeaponIndex("AK103"), fak), 1);
  EXPECT_EQ(map.hits[8], 1);
  EXPECT_EQ(map.duration, m.h.clock.TickSeconds() - map.start_time);
}

// The player empties the console, or the game's window replaces its whole text by
// its newest line (once 32767 characters were added): what the console holds then
// came after everything read, however few lines it has. A console that dropped its
// oldest lines because the game outran the reader still begins with the rest of the
// last read: those are not counted again.
TEST(ConsoleMonitorTest, AConsoleWhoseFrontWentSinceTheLastReadSkipsAndRepeatsNoLine) {
  ScriptedMonitor m;
  m.Then([&] {
    m.Print("A joined the red team.");
    m.Print("B joined the red team.");
    m.Print("C joined the red team.");
  });
  m.Then([&] { m.h.console.text = "D joined the red team.\r\n"; });
  m.Then([&] { m.Print("E joined the blue team."); });
  m.Then([&] { m.h.console.text.clear(); });
  m.Then([&] {
    m.Print("F joined the blue team.");
    m.Print("F got a lead enema from G's retro M4.");
  });
  m.Then([&] {
    m.h.console.text.erase(0, m.h.console.text.find('\n') + 1);
    m.Print("Hal joined the blue team.");
    m.h.console.lines_lost = true;
  });
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  const MapRecord& map = m.h.current();
  EXPECT_EQ(map.nicks, (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "Hal"}));
  EXPECT_EQ(map.kills(NickIndex(map, "G"), test::WeaponIndex("M4"), NickIndex(map, "F")), 1);
}

TEST(ConsoleMonitorTest, ClearsALongConsoleOnlyAfterReadingWhatArrived) {
  const std::string filler(100, '-');
  ScriptedMonitor m;
  std::uint64_t quiet_since = 0;
  m.Then([&] {
    for (int i = 0; i < 12; ++i) m.Print(filler);
    m.Print("A joined the red team.");
    quiet_since = m.h.clock.Millis();
  });
  m.Then([&] { m.h.clock.Set(quiet_since + 3000); });
  m.Then([&] {
    EXPECT_EQ(m.h.console.drops, 0) << "quiet for exactly 3000 ms: kept";
    m.h.clock.Set(quiet_since + 3001);
  });
  m.Then([&] {
    EXPECT_EQ(m.h.console.drops, 1);
    EXPECT_EQ(m.h.console.text, "");
    m.Print("B joined the red team.");
  });
  m.Then([&] {
    // Past 10000 characters in one go: read first, then cleared at once.
    for (int i = 0; i < 100; ++i) m.Print(filler);
    m.Print("C joined the red team.");
  });
  m.Then([&] {
    EXPECT_EQ(m.h.console.drops, 2);
    m.Print("D joined the red team.");
  });
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  EXPECT_EQ(m.h.current().nicks, (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST(ConsoleMonitorTest, TellsWhyAConsoleCannotBeUsedAndOfEachLossOfLines) {
  ScriptedMonitor m;
  m.h.console.present = false;
  m.h.console.problem = "The console bridge at x cannot be used: y.";
  m.h.console.on_find = [&] {
    if (m.h.console.finds == 4) m.h.console.problem.clear();
    m.h.console.present = m.h.console.finds >= 6;
  };
  const auto lossy_read = [&](std::string_view line) {
    m.Then([&m, line] {
      m.Print(line);
      m.h.console.lines_lost = true;
    });
  };
  lossy_read("A joined the red team.");
  lossy_read("B joined the red team.");
  m.Then([&] { m.Print("C joined the red team."); });
  lossy_read("D joined the red team.");
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  const auto told = [&](std::string_view line) {
    return std::count(m.status.lines.begin(), m.status.lines.end(), line);
  };
  EXPECT_EQ(told("The console bridge at x cannot be used: y."), 1);
  EXPECT_EQ(told("The game printed faster than it could be read: some lines were lost."), 2);
  EXPECT_EQ(m.h.current().nick_count(), 4);
}

// A capture started later must not answer the requests this one read.
TEST(ConsoleMonitorTest, DropsWhatItReadWhenItEnds) {
  ScriptedMonitor m;
  m.Then([&] { m.Print("MRV_GETMYSTATS "); });
  m.Then([&] {
    m.Print("A joined the red team.");
    m.h.console.on_wait = [&](std::chrono::milliseconds) {
      m.Print("B joined the red team.");  // printed after the last read
      m.requests.Stop();
    };
  });
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  EXPECT_EQ(m.h.console.text, "B joined the red team.\r\n");
}

TEST(ConsoleMonitorTest, SendsTheCyclicRepliesStrictlyAfterTheirTime) {
  ScriptedMonitor m;
  CaptureOptions& options = m.h.session.state.options;
  options.cyclic_stats = true;
  options.stats_every_seconds = 60;
  options.cyclic_hits = true;
  options.hits_every_seconds = 90;
  const std::uint64_t found = m.h.clock.Millis();
  const auto at = [&](std::uint64_t ms, std::size_t typed_before) {
    m.Then([&, ms, typed_before] {
      EXPECT_EQ(m.h.console.typed.size(), typed_before) << "before " << ms << " ms";
      m.h.clock.Set(found + ms);
    });
  };
  at(60'999, 0);
  at(61'000, 0);
  at(91'000, 1);
  at(121'999, 2);
  at(122'000, 2);
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  EXPECT_EQ(m.h.console.typed,
            (std::vector<std::string>{
                "ut_echo 1:1s ^1No stats available yet^7",
                "ut_echo \"^2Hits:^7 0     ^1Hits Taken:^7 0\";ut_echo \"^2Head:^7 0     "
                "^2Body:^7 0     ^2Arms:^7 0     ^2Legs:^7 0\";ut_echo \"^1Head:^7 0     "
                "^1Body:^7 0     ^1Arms:^7 0     ^1Legs:^7 0",
                "ut_echo 2:2s ^1No stats available yet^7"}));
}

// Both due at once: the second announcement comes a second later, not never.
TEST(ConsoleMonitorTest, CyclicRepliesDueTogetherComeASecondApart) {
  ScriptedMonitor m;
  CaptureOptions& options = m.h.session.state.options;
  options.cyclic_stats = options.cyclic_hits = true;
  const std::uint64_t found = m.h.clock.Millis();
  m.Then([&] { m.h.clock.Set(found + 61'000); });
  m.Then([&] { m.h.clock.Set(found + 61'999); });
  m.Then([&] {
    EXPECT_EQ(m.h.console.typed.size(), 1u);
    m.h.clock.Set(found + 62'000);
  });
  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  ASSERT_EQ(m.h.console.typed.size(), 2u);
  EXPECT_TRUE(m.h.console.typed[1].starts_with("ut_echo \"^2Hits:"));
}

TEST(ConsoleMonitorTest, WaitsForTheGameAgainOrEndsWhenItWasClosed) {
  ScriptedMonitor m;
  m.h.prompt.ask_answers = {true, false};
  m.Then([&] { m.Print("A joined the red team."); });
  int finds_at_loss = 0;
  m.Then([&] {
    // The game quits; at the third attempt to find it again it runs anew.
    m.h.console.present = false;
    finds_at_loss = m.h.console.finds;
    m.h.console.on_find = [&] {
      if (m.h.console.finds == finds_at_loss + 3) m.h.console.present = true;
    };
    m.h.console.text = "B joined the red team.\r\n";
  });
  m.Then([&] { m.h.console.present = false; });
  EXPECT_EQ(m.Run(), MonitorEnd::kGameClosed);
  ASSERT_EQ(m.h.store.size(), 2);
  EXPECT_EQ(m.h.map(0).name, "<map1>");
  EXPECT_EQ(m.h.map(1).name, "<map2>");
  EXPECT_EQ(m.h.map(0).nicks, std::vector<std::string>{"A"});
  EXPECT_EQ(m.h.map(1).nicks, std::vector<std::string>{"B"}) << "a new game is read from its start";
  ASSERT_EQ(m.h.prompt.shown.size(), 2u);
  EXPECT_EQ(m.h.prompt.shown[0].kind, "ask");
  EXPECT_EQ(m.h.prompt.shown[0].text, kGameLost);
  EXPECT_EQ(m.h.prompt.shown[0].title, "Quake3 lost!");
  const std::vector<std::string> waiting = {
      "[clear]",       "Waiting for Quake3...", "Click \"Ok\" to stop and view stats",
      "Quake3 found!", "Monitoring...",         "Quake3 lost!"};
  std::vector<std::string> twice = waiting;
  twice.insert(twice.end(), waiting.begin(), waiting.end());
  EXPECT_EQ(m.status.lines, twice);
  EXPECT_EQ(m.h.map(1).duration, m.h.clock.TickSeconds() - m.h.map(1).start_time);
}

TEST(ConsoleMonitorTest, EndsOnRequestWhereverItIs) {
  {
    ScriptedMonitor searching;
    searching.h.console.present = false;
    searching.h.console.on_find = [&] {
      if (searching.h.console.finds == 2) searching.requests.Cancel();
    };
    EXPECT_EQ(searching.Run(), MonitorEnd::kCancelled);
    EXPECT_EQ(searching.status.lines.back(), "Click \"Ok\" to stop and view stats");
    EXPECT_EQ(searching.h.console.finds, 2);
  }
  {
    // The first request counts; a line that arrived with it is no longer read.
    ScriptedMonitor polling;
    polling.Then([&] {
      polling.Print("A joined the red team.");
      polling.requests.Stop();
      polling.requests.Cancel();
    });
    EXPECT_EQ(polling.Run(), MonitorEnd::kStopped);
    EXPECT_TRUE(polling.h.current().nicks.empty());
  }
}

TEST(ConsoleMonitorTest, AnUnknownWeaponEndsTheRunKeepingTheMap) {
  const DeathTemplates templates = DeathTemplates::FromLines({
      "r<VICTIM><MSG> got a lead enema from </MSG><KILLER><MSG>'s retro M4.</MSG>",
      "~<VICTIM><MSG> was zapped by </MSG><KILLER><MSG>.</MSG>",
  });
  ScriptedMonitor m(templates);
  m.Then([&] {
    m.Print("Rasec got a lead enema from Fak's retro M4.");
    m.Print("Rasec was zapped by Fak.");
    m.Print("Never joined the red team.");
  });
  m.Then([] { ADD_FAILURE() << "the run went on after the unknown weapon"; });
  EXPECT_EQ(m.Run(), MonitorEnd::kUnknownWeapon);
  ASSERT_EQ(m.h.store.size(), 1);
  EXPECT_EQ(NickIndex(m.h.current(), "Never"), -1);
  EXPECT_EQ(m.h.current().kills(0, test::WeaponIndex("M4"), 1), 1);
  EXPECT_EQ(m.h.current().duration, m.h.clock.TickSeconds() - m.h.current().start_time);
}

TEST(ConsoleMonitorTest, AConsoleThatCannotBeTypedIntoStartsEachGameOnce) {
  ScriptedMonitor m;
  m.h.console.can_type = false;
  m.Then([&] {
    m.Print("8 crosshairs parsed");
    m.Print("CL_InitCGame:  2.05 seconds");
    m.Print("Rasec joined the blue team.");
  });
  m.Then([&] { m.Print("Rasec got a lead enema from Fak's retro M4."); });
  m.Then([&] { m.Print("You hit Rasec in the Chest."); });
  std::int32_t started = 0;
  m.Then([&] {
    started = m.h.current().start_time;
    m.h.clock.Advance(5000);
    m.Print("Fak was torn asunder by Rasec's crass AK103.");
  });

  EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
  EXPECT_TRUE(m.h.console.typed.empty());
  for (auto wait : m.h.clock.waits())
    EXPECT_NE(wait, kCommandPause.count()) << "nothing to pause for";
  // The game start ran once: later reads neither restart the clock nor reset the counts.
  EXPECT_EQ(m.h.current().start_time, started);
  EXPECT_EQ(m.h.session.state.counters.GameHitsGiven, 1);
  EXPECT_EQ(m.h.current().name, "<map1>");
  EXPECT_EQ(std::count(m.status.lines.begin(), m.status.lines.end(),
                       "In-game replies are off: the game reads no typed input."),
            1);
}

// Keeps every report of live figures with the time it was made.
class FiguresRecorder final : public MonitorStatus {
 public:
  explicit FiguresRecorder(Clock& clock) : clock_(clock) {}
  void Clear() override {}
  void Add(std::string_view) override {}
  void Figures(const LiveFigures& figures) override {
    reports.push_back({clock_.Millis(), figures});
  }
  std::vector<std::pair<std::uint64_t, LiveFigures>> reports;

 private:
  Clock& clock_;
};

TEST(ConsoleMonitorTest, ReportsTheMapsFiguresAtMostTwiceASecondAndTheLastOneSurely) {
  ScriptedMonitor m;
  FiguresRecorder recorder(m.h.clock);
  m.Then([&] {
    m.Print("\"mapname\" is:\"ut4_abbey\" default:\"nomap\"");
    m.Print("\"name\" is:\"Morv\" default:\"UnnamedPlayer\"");
    m.Print("Rasec got a lead enema from Morv's retro M4.");
  });
  // A hit every wait, for two seconds; then the console stays quiet.
  for (int i = 0; i < 40; ++i) m.Then([&] { m.Print("You hit Rasec in the Head."); });
  for (int i = 0; i < 12; ++i) m.Then([] {});
  EXPECT_EQ(RunConsoleMonitor(m.h.session, recorder, m.requests), MonitorEnd::kStopped);

  ASSERT_GE(recorder.reports.size(), 2u);
  EXPECT_EQ(recorder.reports.front().second, LiveFigures{});  // nothing known at the start
  EXPECT_LE(recorder.reports.size(), 7u);
  for (std::size_t i = 1; i < recorder.reports.size(); ++i) {
    EXPECT_GE(recorder.reports[i].first - recorder.reports[i - 1].first,
              LiveFiguresThrottle::kPeriodMs);
    EXPECT_NE(recorder.reports[i].second, recorder.reports[i - 1].second);
  }
  EXPECT_EQ(recorder.reports.back().second, (LiveFigures{"ut4_abbey", "Morv", 1, 0, 40}));
}

// Whenever the capture starts, before the game, during its first map or between two
// maps, what it read of the player counts for him once the game has named him, on
// every map it read; and his in-game requests are answered from then on.
TEST(ConsoleMonitorTest, AStartAfterTheGameCountsThePlayerAsHisRowsDo) {
  const std::vector<std::string> map_start = {"8 crosshairs parsed", "CL_InitCGame:  2.05 seconds",
                                              "Com_TouchMemory: 0 msec"};
  const std::vector<std::string> frags = {
      "Rasec got a lead enema from Fak's retro M4.", "Fak was torn asunder by Rasec's crass AK103.",
      "Rasec was pistol whipped by Fak.", "Fak killed himself."};
  const std::vector<std::string> answers = {"\"mapname\" is:\"ut4_abbey\" default:\"nomap\"",
                                            "\"name\" is:\"Fak\" default:\"UnnamedPlayer\""};
  const auto join = [](std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> lines;
    for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    return lines;
  };
  struct Start {
    const char* when;
    std::vector<std::string> before;  // printed before the capture started
    std::vector<std::string> after;   // printed while it ran, before the game's answers
    int maps;
  };
  const Start starts[] = {
      {"before the game", {}, join({map_start, frags}), 1},
      {"during the first map", join({map_start, frags}), {}, 1},
      {"between two maps", join({map_start, frags, map_start}), frags, 2},
  };
  for (const Start& start : starts) {
    SCOPED_TRACE(start.when);
    ScriptedMonitor m;
    for (const std::string& line : start.before) m.Print(line);
    m.Then([&] {
      for (const std::string& line : start.after) m.Print(line);
    });
    m.Then([&] {
      for (int game_start = 0; game_start < start.maps; ++game_start) {
        for (const std::string& line : answers) m.Print(line);
      }
    });
    m.Then([&] {
      m.Print("Rasec got a lead enema from Fak's retro M4.");
      m.Print("MRV_GETMYSTATS ");
    });
    EXPECT_EQ(m.Run(), MonitorEnd::kStopped);
    ASSERT_EQ(m.h.store.size(), start.maps);
    for (int i = 0; i < start.maps; ++i) {
      const MapRecord& map = m.h.map(i);
      EXPECT_EQ(map.own_nick, "Fak") << "map " << i;
      const auto [kills, deaths] = test::RowFigures(map, "Fak");
      EXPECT_EQ(map.own_kills, kills) << "map " << i;
      EXPECT_EQ(map.own_deaths, deaths) << "map " << i;
    }
    EXPECT_NE(m.h.console.typed.back().find("ut_echo Your stats: "), std::string::npos)
        << m.h.console.typed.back();
  }
}

}  // namespace
}  // namespace mrv
