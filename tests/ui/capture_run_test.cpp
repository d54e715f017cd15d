// Captures from the main window through the capture dialog to the viewer: a log from
// the recent panel and the browse dialog, and live captures of the scripted fake game
// under the real console bridge.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <atomic>
#include <chrono>
#include <filesystem>

#include "capture/console/bridge_console.h"
#include "files/capture_options.h"
#include "files/console_choice.h"
#include "files/ini_file.h"
#include "files/settings.h"
#include "support/bridge_harness.h"
#include "support/capture_harness.h"
#include "support/main_window_fixture.h"
#include "support/print_qstring.h"
#include "support/unsaved_capture.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/recent_files_panel.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

namespace fs = std::filesystem;
using std::chrono::steady_clock;

class CaptureRunTest : public MainWindowFixture {
 protected:
  CaptureRunTest() : MainWindowFixture("capture-run") {}

  fs::path socket() const { return dir_ / "morvane-console.sock"; }
  std::size_t Journals() const { return test::JournalFiles(dir_.path()).size(); }

  // The dialog stays in sight during the run: there is no tray offscreen.
  static void Start(CaptureDialog& dialog) {
    Child<QCheckBox>(dialog, names::kMinimizeToTrayBox)->setChecked(false);
    Click(dialog, names::kOkButton);
  }
};

TEST_F(CaptureRunTest, ParsesALogBrowsedForOrRecentIntoTheViewer) {
  const fs::path tonight = dir_ / "tonight.log";
  const fs::path earlier = dir_ / "earlier.log";
  // Two maps only when the dialog reads GameTexts.txt: the log is of a later version.
  fs::copy_file(test::SamplesDir() / "ts_damage_41.log", tonight);
  fs::copy_file(test::SamplesDir() / "ffa_short.log", earlier);
  auto main = Open({earlier.string(), tonight.string(), ""});

  // Parse shows the panel; parse again browses. The browsed log is already the second
  // recent file, and stays there.
  dialogs_.SetNextAnswer(PathText(tonight));
  Click(*main, names::kParseButton);
  OnDialog([&](CaptureDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("logfile parser"));
    EXPECT_EQ(
        Status(dialog),
        (QStringList{PathText(tonight),
                     QString::number(fs::file_size(tonight)) + QStringLiteral(" bytes"),
                     QStringLiteral("Select player profile for death hit stats generation")}));
    EXPECT_EQ(dialog.findChild<QWidget*>(names::kMonitorOptionsBox), nullptr);
    EXPECT_EQ(dialog.findChild<QWidget*>(names::kMinimizeToTrayBox), nullptr);
    EXPECT_TRUE(Child<QLabel>(dialog, names::kLogNotes)
                    ->text()
                    .contains(QStringLiteral("Client log files don't have any time information!")));
    Click(dialog, names::kOkButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isHidden(); }, kPatienceMs));
    EXPECT_EQ(Child<QProgressBar>(dialog, names::kProgressBar)->value(), 100);
    EXPECT_EQ(Child<QLabel>(dialog, names::kProgressPercent)->text(), QStringLiteral("100%"));
  });
  Click(*main, names::kParseButton);
  ASSERT_EQ(dialogs_.asked().size(), 1u);
  EXPECT_EQ(dialogs_.asked()[0].filter, QStringLiteral("LOG file (*.log)"));
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_FALSE(viewer_.opened[0].opening.monitor);
  EXPECT_EQ(viewer_.opened[0].maps, 2);
  EXPECT_EQ(main->state().settings.recent_files[1], tonight.string());
  EXPECT_EQ(main->state().settings.last_dir, DirectoryOf(PathText(tonight)));

  // From the panel, the same log moves to the top.
  Click(*main, names::kParseButton);
  OnDialog([](CaptureDialog& dialog) { Click(dialog, names::kOkButton); });
  test::ClickAt(*Child(*main, names::kRecentFilesPanel), RecentFilesPanel::LinePoint(2));
  ASSERT_EQ(viewer_.opened.size(), 2u);
  EXPECT_EQ(main->state().settings.recent_files,
            (std::array<std::string, kRecentFileCount>{tonight.string(), earlier.string(), ""}));

  // A log that is gone is told, under the browse's own title.
  dialogs_.SetNextAnswer(PathText(dir_ / "gone.log"));
  main->BrowseLogFile();
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].message,
            QStringLiteral("Unable to find file: ") + PathText(dir_ / "gone.log"));
  EXPECT_EQ(boxes_.shown()[0].title, QStringLiteral("ERRO!"));
  EXPECT_EQ(viewer_.opened.size(), 2u);
  EXPECT_TRUE(main->isVisible());
}

TEST_F(CaptureRunTest, StartsTheGameAndCapturesItLiveIntoTheViewer) {
  const std::string script = test::WriteScript(
      dir_.path(), "live.script",
      test::Then(test::GameStart("ut4_abbey"),
                 {"print ^1Fak^7 joined the red team.", "print Some Player joined the blue team.",
                  "print You hit Some Player in the Head.",
                  "print Some Player got a lead enema from Fak's retro M4.",
                  "print MRV_GETMYSTATS ", "expect 5000 ^2Kills:^7 1     ^1Deaths:^7 0",
                  "print MRV_HEADSHOT ", "expect 5000 ut_echo Headshot sound disabled.",
                  "print Waiting for the player.", "expect 20000 ut_echo go on",
                  // Answered only because the player switched the reply on meanwhile.
                  "print Fak was torn asunder by Some Player's crass AK103.",
                  "expect 5000 ^1Deaths:^7 1", "print Evening over.", "expect 20000 quit"}));
  // The game the player chooses: it notes how it was started and how it ended.
  const fs::path game = dir_ / "urban-terror.sh";
  test::WriteFileBytes(game, "#!/bin/sh\necho \"$@\" > '" + (dir_ / "arguments").string() + "'\n'" +
                                 (fs::path(MORVANE_BIN_DIR) / "morvane-fake-game").string() +
                                 "' '" + script + "'\necho $? > '" + (dir_ / "exit").string() +
                                 "'\n");
  fs::permissions(game, fs::perms::owner_exec, fs::perm_options::add);
  fs::create_symlink(fs::path(MORVANE_BIN_DIR) / "morvane-console", dir_ / "morvane-console");
  dialogs_.SetNextAnswer(PathText(game));
  // No random announcements: every line typed into the game is one the script expects.
  CaptureOptions options;
  options.frag_announcements = options.streak_announcements = false;
  ASSERT_TRUE(SaveCaptureOptions(dir_.path(), options));
  // A socket of the player's choice: the game is started on it and the capture finds it.
  const fs::path chosen_socket = dir_ / "chosen.sock";
  IniFile settings;
  ASSERT_TRUE(settings.Load(SettingsPath(dir_.path())));
  ASSERT_TRUE(settings.WriteString("Monitor", "BridgeSocket", chosen_socket.string()));
  ASSERT_TRUE(settings.Save());

  BridgeConsole player(chosen_socket);
  auto main = Open();
  OnDialog([&](CaptureDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("quake 3 console monitor"));
    EXPECT_EQ(Child<QLabel>(dialog, names::kConsoleLine)->text(),
              QStringLiteral("Console: the game under morvane-console"));
    Click(dialog, names::kStartGameButton);
    EXPECT_EQ(ReadGamePath(dir_.path()), game.string());
    Start(dialog);
    ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Monitoring...")));
    ASSERT_TRUE(player.Find());
    ASSERT_NE(test::WaitForText(player, "Waiting for the player.").find("Waiting for the player."),
              std::string::npos);
    // The in-game command turned the box off; the player turns another option on.
    auto* headshot = Child<QCheckBox>(dialog, names::kHeadshotSoundBox);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !headshot->isChecked(); }, kPatienceMs));
    Child<QCheckBox>(dialog, names::kFragOptions.after_death)->setChecked(true);
    EXPECT_TRUE(player.TypeLine("ut_echo go on"));
    ASSERT_NE(test::WaitForText(player, "Evening over.").find("Evening over."), std::string::npos);
    Click(dialog, names::kOkButton);
  });
  // What the viewer got: the map, the player, his kill and death, his headshot; the
  // capture's journal is kept while it is shown.
  std::vector<std::string> seen;
  std::size_t journals_while_shown = 0;
  viewer_.inspect = [&](const ProgramState& state) {
    const MapRecord& map = state.store[0];
    seen = {map.name,
            map.own_nick,
            std::to_string(state.store.size()),
            std::to_string(test::Kills(map, "Fak", "M4", "Some Player")),
            std::to_string(test::Kills(map, "Some Player", "AK103", "Fak")),
            std::to_string(map.hits[0])};
    journals_while_shown = Journals();
  };
  Click(*main, names::kMonitorButton);

  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_TRUE(viewer_.opened[0].opening.monitor);
  EXPECT_TRUE(viewer_.opened[0].opening.never_saved) << "closing it asks first";
  EXPECT_EQ(journals_while_shown, 1u);
  EXPECT_EQ(Journals(), 0u) << "the game was closed on purpose";
  EXPECT_EQ(seen, (std::vector<std::string>{"ut4_abbey", "Fak", "1", "1", "1", "1"}));
  EXPECT_TRUE(boxes_.shown().empty());

  // The capture left the game running; it quits when told, every expected reply seen.
  EXPECT_TRUE(player.TypeLine("quit"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(dir_ / "exit"); }, kPatienceMs));
  EXPECT_EQ(test::ReadFileBytes(dir_ / "exit"), "0\n");
  EXPECT_EQ(test::ReadFileBytes(dir_ / "arguments"), "+set ttycon 1\n");
}

TEST_F(CaptureRunTest, AsksWhetherToWaitForALostGameAndHonoursBothAnswers) {
  const std::string first = test::WriteScript(
      dir_.path(), "first.script", {"console", "print Rasec joined the blue team.", "sleep 20000"});
  const std::string second = test::WriteScript(
      dir_.path(), "second.script", {"console", "print Fak joined the red team.", "sleep 20000"});
  boxes_.SetNextAnswer(true);   // go on searching
  boxes_.SetNextAnswer(false);  // show the stats
  auto main = Open();
  OnDialog([&](CaptureDialog& dialog) {
    Start(dialog);
    for (const std::string& script : {first, second}) {
      ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Waiting for Quake3...")));
      test::BridgeRun game(dir_.path(), script, "bridge.log", "morvane-console.sock");
      ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Quake3 found!"))) << game.messages();
      BridgeConsole player(game.socket());
      ASSERT_TRUE(player.Find());
      // The game reads typed lines from its first print on.
      test::WaitForText(player, "joined");
      EXPECT_TRUE(player.TypeLine("quit")) << player.last_error();
      ASSERT_TRUE(game.WaitForExit());
      ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Quake3 lost!")));
      if (script == first) {
        // Searching again starts from a cleared status box.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !Status(dialog).contains(QStringLiteral("Quake3 lost!")); }, kPatienceMs));
      }
    }
  });
  std::vector<std::vector<std::string>> nicks;
  viewer_.inspect = [&](const ProgramState& state) {
    for (const auto& map : state.store.maps) nicks.push_back(map->nicks);
  };
  Click(*main, names::kMonitorButton);

  ASSERT_EQ(boxes_.shown().size(), 2u);
  for (const ScriptedBoxes::Shown& box : boxes_.shown()) {
    EXPECT_EQ(box.title, QStringLiteral("Quake3 lost!"));
    EXPECT_EQ(box.message, QStringLiteral("Quake 3 was closed!\n\nContinue searching for Quake?\n\n"
                                          "(click cancel to show stats)"));
    EXPECT_TRUE(box.cancel);
  }
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(nicks, (std::vector<std::vector<std::string>>{{"Rasec"}, {"Fak"}}));
}

// Escape, the close image or Cancel drop a live capture silently only while it has
// counted nothing; once it has, they ask, and the capture goes on unless told to stop.
TEST_F(CaptureRunTest, DroppingALiveCaptureThatCountedAnythingAsksFirst) {
  auto main = Open();
  // Searching for a game that is not there: nothing to lose.
  OnDialog([&](CaptureDialog& dialog) {
    Start(dialog);
    ASSERT_TRUE(WaitForStatus(dialog, QStringLiteral("Waiting for Quake3...")));
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  Click(*main, names::kMonitorButton);
  EXPECT_TRUE(boxes_.shown().empty());

  // The game prints a player; the capture's answer to the player's request shows that
  // it has read him.
  const std::string script = test::WriteScript(
      dir_.path(), "join.script",
      test::Then(test::GameStart("ut4_abbey"),
                 {"print Rasec joined the blue team.", "print MRV_GETMYSTATS ",
                  "expect 20000 No stats available", "print answered", "sleep 20000"}));
  test::BridgeRun game(dir_.path(), script, "bridge.log", "morvane-console.sock");
  ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
  boxes_.SetNextAnswer(false);  // go on capturing
  boxes_.SetNextAnswer(true);   // stop and throw it away
  OnDialog([&](CaptureDialog& dialog) {
    Start(dialog);
    BridgeConsole player(game.socket());
    ASSERT_TRUE(player.Find());
    // Events flow meanwhile: the capture's questions and status lines need them.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return player.Text().find("answered") != std::string::npos; }, kPatienceMs))
        << game.messages();
    QTest::qWait(300);  // the capture waits for the console again
    QTest::keyClick(&dialog, Qt::Key_Escape);
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Status(dialog).contains(QStringLiteral("Monitoring...")));
    Click(dialog, names::kCloseImage);
  });
  Click(*main, names::kMonitorButton);

  ASSERT_EQ(boxes_.shown().size(), 2u);
  for (const ScriptedBoxes::Shown& box : boxes_.shown()) {
    EXPECT_EQ(box.message, QStringLiteral("The capture has counted stats that are not saved!\n\n"
                                          "Stop it and throw them away?"));
    EXPECT_EQ(box.title, QStringLiteral("?"));
  }
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(Journals(), 0u);
  EXPECT_TRUE(main->isVisible());
}

// Real time, noting when a pause after a typed line begins.
class WatchedClock final : public Clock {
 public:
  std::uint64_t Millis() override { return real_.Millis(); }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override {
    if (duration >= kCommandPause) pausing = true;
    return real_.Wait(duration, cancel);
  }
  std::atomic<bool> pausing{false};

 private:
  SystemClock real_;
};

TEST_F(CaptureRunTest, CancelCutsAPauseShortAndReturnsWithoutAMessage) {
  // A map starts, and the game waits; the capture's game start pauses 700 ms first.
  const std::string script =
      test::WriteScript(dir_.path(), "start.script",
                        {"console", "map ut4_abbey", "print 8 crosshairs parsed",
                         "print CL_InitCGame:  2.05 seconds", "sleep 20000"});
  test::BridgeRun game(dir_.path(), script, "bridge.log", "morvane-console.sock");
  ASSERT_TRUE(game.WaitUntilServing()) << game.messages();
  WatchedClock clock;
  devices_.UseClock(clock);
  auto main = Open();
  steady_clock::time_point cancelled;
  OnDialog([&](CaptureDialog& dialog) {
    Start(dialog);
    // The game start's first pause of 700 ms.
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.pausing.load(); }, kPatienceMs));
    cancelled = steady_clock::now();
    Click(dialog, names::kCancelButton);
  });
  Click(*main, names::kMonitorButton);

  const auto took = steady_clock::now() - cancelled;
  EXPECT_LT(took, std::chrono::milliseconds(500)) << "the 700 ms pause was waited out";
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(game.running()) << "the game outlives the capture";
  EXPECT_EQ(Journals(), 0u) << "a capture dropped on purpose leaves nothing to recover";
}

}  // namespace
}  // namespace mrv::ui
