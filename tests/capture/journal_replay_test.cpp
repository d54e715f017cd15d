// The capture journal: a live capture recorded as it runs and replayed through the same
// interpreter gives the same store, compared through the saved game's bytes; a
// damaged, cut or hostile journal gives what it can and says where it stopped.
#include "capture/journal_replay.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "capture/capture_recorder.h"
#include "support/capture_harness.h"
#include "files/journal_writer.h"
#include "files/recovery_folder.h"
#include "files/saved_game.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

// Fake time that also passes while the capture works, as real time does, only much
// faster: each reading is 397 ms later than the one before, so that a reading the
// replay does not give back as it was shows in the store's whole seconds.
class CreepingClock final : public Clock {
 public:
  explicit CreepingClock(std::uint64_t start_ms) : now_(start_ms) {}
  std::uint64_t Millis() override { return now_ += 397; }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override {
    if (cancel.requested()) return false;
    now_ += static_cast<std::uint64_t>(duration.count()) + 3;
    return true;
  }
  void Advance(std::uint64_t ms) { now_ += ms; }

 private:
  std::uint64_t now_;
};

// A live capture with every service recorded: the script runs a step at each wait for
// a console change (which moves the fake clock by the wait), and the player stops the
// capture when it is done.
class RecordedCapture {
 public:
  explicit RecordedCapture(const fs::path& data_dir)
      : recorder(clock, random, prompt),
        store(test::ShippedWeapons().size()),
        session(store, test::ShippedWeapons(), test::ShippedTemplates(),
                {recorder.clock(), sound, recorder.random(), recorder.prompt(), cancel},
                test::ShippedGameTexts()),
        requests(cancel),
        data_dir(data_dir) {
    session.state.options.monitor = true;
    // Live figures on show, as on the desktop: their readings are not journaled.
    session.services.figures_clock = &clock;
    test::RunStepsAtEachWait(console, clock, requests, steps);
  }

  void Then(std::function<void()> step) { steps.push_back(std::move(step)); }
  void Print(std::string_view line) { console.Print(line); }
  MonitorEnd Run() {
    session.services.console = &recorder.Record(console, status);
    EXPECT_TRUE(recorder.StartJournal(data_dir, session));
    const MonitorEnd end = RunConsoleMonitor(session, status, requests);
    journal = recorder.End();
    return end;
  }

  CreepingClock clock{1'000'777};
  test::FakeRandom random;
  test::FakePrompt prompt;
  test::FakeSound sound;
  test::FakeConsole console;
  CancelToken cancel;
  CaptureRecorder recorder;
  StatsStore store;
  CaptureSession session;
  MonitorRequests requests;
  test::RecordingMonitorStatus status;
  fs::path data_dir;
  std::deque<std::function<void()>> steps;
  JournalFile journal;
};

struct Replayed {
  StatsStore store{0};
  RecoveryReport report;
  std::string error;  // when it could not be opened
};

Replayed Replay(const fs::path& file) {
  Replayed replayed;
  JournalReplay replay;
  if (!replay.Open(file, replayed.error)) return replayed;
  replayed.store = StatsStore(replay.weapons().size());
  replayed.report = replay.Run(replayed.store);
  return replayed;
}

std::string SavedBytes(const StatsStore& store) {
  return GameFileText(store, "tonight").value_or("unsavable");
}

const std::string kFiller(120, '=');

// An evening with what makes a replay go wrong when it is not exact: lines handled
// after the pauses of a game start within the same read, a map change in that read,
// random announcements that pause, an option the player changes, a console cleared
// after 3 s of quiet and at once when long, the game lost and found again, and the
// player's in-game command.
void ScriptEvening(RecordedCapture& c) {
  c.console.present = false;
  c.console.on_find = [&c] { c.console.present = c.console.present || c.console.finds >= 3; };
  c.Then([&c] {
    c.Print("8 crosshairs parsed");
    c.Print("CL_InitCGame: 2.10 seconds");
    c.Print("Com_TouchMemory: 0 msec");
    c.Print("Rasec joined the blue team.");
    c.Print("Fak joined the red team.");
  });
  c.Then([&c] {
    c.Print("\"mapname\" is:\"ut4_abbey\" default:\"nomap\"");
    c.Print("\"name\" is:\"Fak\" default:\"UnnamedPlayer\"");
    c.Print("You hit Rasec in the Head.");
    c.Print("Rasec got a lead enema from Fak's retro M4.");
    c.Print("Rasec got a lead enema from Fak's retro M4.");
    c.Print("Fak was torn asunder by Rasec's crass AK103.");
    // The next map in the same read: its game start pauses after the announcements did.
    c.Print("8 crosshairs parsed");
    c.Print("CL_InitCGame: 1.50 seconds");
    c.Print("Com_TouchMemory: 0 msec");
    c.Print("Rasec got a whole lot of hole from Fak's DE round.");
  });
  c.Then([&c] {
    c.Print("\"mapname\" is:\"ut4_casa\" default:\"nomap\"");
    c.Print("\"name\" is:\"Fak\" default:\"UnnamedPlayer\"");
    for (int i = 0; i < 9; ++i) c.Print(kFiller);
    c.clock.Advance(3700);  // quiet: the long console is cleared
  });
  c.Then([&c] {
    c.session.state.options.stats_after_kill = true;  // the player ticks a box
    c.Print("Rasec was torn asunder by Fak's crass AK103.");
    c.Print("^1Fak^7 has taken the ^4Blue^7 flag!");
    c.Print("^1Fak^7 captured the ^4Blue flag!");
    for (int i = 0; i < 90; ++i) c.Print(kFiller);  // past 10000: cleared at once
    c.Print("Rasec was pistol whipped by Fak.");
  });
  c.Then([&c] {
    c.Print("MRV_HEADSHOT ");
    c.Print("Fak killed himself.");
    c.clock.Advance(1234);
  });
  c.Then([&c] {
    // The game quits and is started again.
    c.console.present = false;
    c.console.text.clear();
    const int finds = c.console.finds;
    c.console.on_find = [&c, finds] { c.console.present = c.console.finds >= finds + 4; };
  });
  c.Then([&c] {
    c.Print("8 crosshairs parsed");
    c.Print("CL_InitCGame: 3.00 seconds");
    c.Print("Mia joined the blue team.");
    c.Print("Mia got a lead enema from Fak's retro M4.");
  });
  c.Then([&c] {
    c.Print("\"mapname\" is:\"ut4_turnpike\" default:\"nomap\"");
    c.Print("\"name\" is:\"Fak\" default:\"UnnamedPlayer\"");
    c.Print("Fak was torn asunder by Mia's crass AK103.");
    c.clock.Advance(61'000);  // quiet: a heartbeat
  });
}

class JournalReplayTest : public ::testing::Test {
 protected:
  JournalReplayTest() : dir_("journal-replay") {
    fs::copy_file(test::ShippedDir() / "GameTexts.txt", dir_ / "GameTexts.txt");
  }
  test::ScratchDir dir_;
};

TEST_F(JournalReplayTest, TheReplayBuildsTheLiveStore) {
  RecordedCapture live(dir_.path());
  ScriptEvening(live);
  live.random.answers = {0, 0, 0, 0, 0, 0};  // every announcement made, with its pauses
  live.prompt.ask_answers = {true};
  // The game reads typed text slowly: the capture waits for it, reading the clock.
  live.console.unread = [&live, read = std::size_t{0}]() mutable {
    std::size_t typed = 0;
    for (const std::string& line : live.console.typed) typed += line.size() + 1;
    read = std::min(typed, read + 40);
    return typed - read;
  };
  ASSERT_EQ(live.Run(), MonitorEnd::kStopped);
  ASSERT_EQ(live.store.size(), 3);
  EXPECT_EQ(live.store[1].name, "ut4_casa");
  EXPECT_EQ(live.store[2].own_kills, 1);
  EXPECT_GT(live.random.asked.size(), 2u);
  ASSERT_FALSE(live.journal.empty());
  EXPECT_EQ(live.journal.path().parent_path(), RecoveryFolder(dir_.path()));

  const Replayed replayed = Replay(live.journal.path());
  ASSERT_EQ(replayed.error, "");
  EXPECT_EQ(replayed.report.damage, "");
  EXPECT_TRUE(replayed.report.ended);
  EXPECT_EQ(replayed.report.end, MonitorEnd::kStopped);
  EXPECT_TRUE(SavedBytes(replayed.store) == SavedBytes(live.store)) << "the saved games differ";
  for (int i = 0; i < live.store.size(); ++i) {
    EXPECT_EQ(replayed.store[i].start_time, live.store[i].start_time) << i;
    EXPECT_EQ(replayed.store[i].duration, live.store[i].duration) << i;
  }
}

TEST_F(JournalReplayTest, ADamagedOrCutJournalGivesWhatItCanAndSaysWhereItStopped) {
  RecordedCapture live(dir_.path());
  ScriptEvening(live);
  live.prompt.ask_answers = {true};
  live.Run();
  const std::string whole = ReadFileBytes(live.journal.path());
  const Replayed full = Replay(live.journal.path());
  const fs::path damaged = dir_ / "damaged.journal";

  // Cut anywhere, as a crash cuts the last write: never more than the whole, and the
  // cut is named unless it fell between two blocks.
  for (std::size_t size = 0; size < whole.size(); size += 1 + size / 16) {
    WriteFileBytes(damaged, whole.substr(0, size));
    const Replayed cut = Replay(damaged);
    if (!cut.error.empty()) continue;  // the setup itself was cut
    EXPECT_LE(cut.store.size(), full.store.size()) << size;
    EXPECT_FALSE(cut.report.ended) << size;
  }
  WriteFileBytes(damaged, whole.substr(0, whole.size() - 3));
  EXPECT_NE(Replay(damaged).report.damage.find("the journal ends inside a block"),
            std::string::npos);

  // A changed byte in the last block: what came before it counts, then it stops.
  std::string flipped = whole;
  flipped[whole.size() - 10] ^= 0x40;
  WriteFileBytes(damaged, flipped);
  const Replayed stopped = Replay(damaged);
  EXPECT_NE(stopped.report.damage.find(": a block is damaged"), std::string::npos);
  EXPECT_GT(stopped.store.size(), 0);

  // Not a journal, or nothing but its first line.
  for (const std::string& bytes : {std::string("not a journal"), std::string(journal::kMagic)}) {
    WriteFileBytes(damaged, bytes);
    EXPECT_NE(Replay(damaged).error, "");
  }
}

// Readings of a damaged journal that lie before its start, or before time the replay
// already gave, would make a map's time negative, which no saved game holds: the
// replay's clock never goes back.
TEST_F(JournalReplayTest, ClockReadingsFromBeforeTheStartLeaveNoMapTimeNegative) {
  using journal::Tag;
  journal::JournalSetup setup;
  setup.started = "2024-05-01 21:07:32";
  setup.start_ms = 1'000'000;
  for (int i = 0; i < test::ShippedWeapons().size(); ++i)
    setup.weapons.push_back(test::ShippedWeapons().entry(i));
  setup.templates = test::ShippedTemplates().entries();
  setup.options.monitor = true;
  std::string error;
  const auto writer = JournalWriter::Create(dir_ / "backwards", setup, error);
  ASSERT_NE(writer, nullptr) << error;
  auto add = [&](Tag tag, std::uint64_t time, std::string text = "") {
    writer->Append({tag, time, 0, std::move(text)});
  };
  const std::string map_load = "8 crosshairs parsed\nCL_InitCGame: 1.00 seconds\n";
  add(Tag::kFound, 1'000'000);
  // The first map starts at the event's time, with no reading recorded; the second loads
  // at readings of 2 s, far before the first one's start.
  for (const int readings : {0, 4}) {
    add(Tag::kBoundary, 1'004'000);
    add(Tag::kAppended, 1'004'000, map_load);
    for (int i = 0; i < readings; ++i) add(Tag::kReading, 2'000);
  }
  writer->End(1'010'000);
  const fs::path file = writer->path();

  const Replayed replayed = Replay(file);
  ASSERT_EQ(replayed.error, "");
  ASSERT_GT(replayed.store.size(), 1);
  for (int i = 0; i < replayed.store.size(); ++i) EXPECT_GE(replayed.store[i].duration, 0) << i;
  EXPECT_NE(SavedBytes(replayed.store), "unsavable");
}

TEST_F(JournalReplayTest, AJournalThatCannotBeKeptLeavesTheCaptureGoing) {
  // Where the recovery folder should be, a file.
  WriteFileBytes(dir_ / "recovery", "in the way");
  RecordedCapture blocked(dir_.path());
  blocked.Then([&blocked] { blocked.Print("Rasec joined the blue team."); });
  blocked.session.services.console = &blocked.recorder.Record(blocked.console, blocked.status);
  EXPECT_FALSE(blocked.recorder.StartJournal(dir_.path(), blocked.session));
  EXPECT_EQ(RunConsoleMonitor(blocked.session, blocked.status, blocked.requests),
            MonitorEnd::kStopped);
  EXPECT_TRUE(blocked.recorder.End().empty());
  EXPECT_EQ(blocked.store[0].nicks, std::vector<std::string>{"Rasec"});
  ASSERT_GE(blocked.status.lines.size(), 4u);
  EXPECT_EQ(blocked.status.lines[3].rfind("The capture is not journaled (cannot make the folder ", 0),
            0u);
}

TEST_F(JournalReplayTest, AJournalPastItsLimitStopsWhileTheCaptureGoesOn) {
  RecordedCapture big(dir_.path());
  const std::string megabyte(std::size_t{1} << 20, 'x');
  const int reads = static_cast<int>(JournalWriter::kMaxBytes >> 20) + 2;
  for (int i = 0; i < reads; ++i) big.Then([&big, &megabyte] { big.console.text = megabyte; });
  big.Then([&big] { big.Print("Rasec joined the blue team."); });
  big.Run();
  EXPECT_EQ(big.store[0].nicks, std::vector<std::string>{"Rasec"}) << "the capture went on";
  const auto told = std::count(big.status.lines.begin(), big.status.lines.end(),
                               "Journaling stopped (the capture journal reached its limit of 64 "
                               "MB): a crash would lose what follows.");
  EXPECT_EQ(told, 1);
  EXPECT_LE(fs::file_size(big.journal.path()), JournalWriter::kMaxBytes);
  const Replayed replayed = Replay(big.journal.path());
  EXPECT_EQ(replayed.report.journaling_stopped, "the capture journal reached its limit of 64 MB");
  EXPECT_TRUE(replayed.store[0].nicks.empty());
}

TEST_F(JournalReplayTest, UnfinishedCapturesAreThoseNoRunningCaptureHolds) {
  RecordedCapture first(dir_.path());
  first.Run();
  RecordedCapture second(dir_.path());
  second.Run();
  EXPECT_NE(first.journal.path(), second.journal.path()) << "two captures in one second";
  EXPECT_TRUE(FindUnfinishedCaptures(dir_.path()).empty()) << "both are held";
  JournalFile kept = std::move(first.journal);
  second.journal = JournalFile();  // released: as after a crash
  const auto unfinished = FindUnfinishedCaptures(dir_.path());
  ASSERT_EQ(unfinished.size(), 1u);
  EXPECT_EQ(unfinished[0].started.size(), 19u);
  EXPECT_TRUE(ClaimJournal(kept.path()).empty()) << "held by this capture";
  const fs::path file = kept.path();
  kept.Discard();
  EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace mrv
