// The capture dialog's own rules, before any capture runs: the monitor options and
// their saving, the status line of the tray advice, the profile choice, Cancel by the
// close image, an empty log; and the sound output the captures play through.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QSpinBox>
#include <QStackedWidget>
#include <thread>

#include "files/capture_options.h"
#include "files/console_choice.h"
#include "support/main_window_fixture.h"
#include "support/print_qstring.h"
#include "ui/clickable_label.h"
#include "ui/object_names.h"
#include "ui/profile_manager_window.h"
#include "ui/qt_sound_player.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

class CaptureDialogTest : public MainWindowFixture {
 protected:
  CaptureDialogTest() : MainWindowFixture("capture-dialog") {}

  std::unique_ptr<CaptureDialog> Dialog(bool monitor) {
    state_ = test::StartedState(dir_.path());
    auto dialog = monitor
                      ? std::make_unique<CaptureDialog>(*state_, devices_, dialogs_)
                      : std::make_unique<CaptureDialog>(*state_, devices_, dir_ / "tonight.log");
    dialog->show();
    return dialog;
  }

  // stats.ini with section Monitor made of the lines given.
  void MonitorSection(const std::string& lines) {
    std::string settings = test::ReadFileBytes(dir_ / "stats.ini");
    settings.erase(settings.find("[Monitor]"));
    test::WriteFileBytes(dir_ / "stats.ini", settings + "[Monitor]\r\n" + lines);
  }

  std::unique_ptr<ProgramState> state_;
};

TEST_F(CaptureDialogTest, ShowsLoadsAndSavesTheMonitorOptions) {
  MonitorSection("time=10\r\n");
  auto dialog = Dialog(true);
  auto* cyclic = Child<QCheckBox>(*dialog, names::kFragOptions.cyclic);
  auto* period = Child<QSpinBox>(*dialog, names::kFragOptions.period);
  auto* save = Child<ClickableLabel>(*dialog, names::kSaveOptionsLink);
  // The options as read (their defaults and limits are the settings', tests/files).
  EXPECT_FALSE(cyclic->isChecked());
  EXPECT_EQ(period->value(), 30);
  EXPECT_FALSE(period->isEnabled());
  EXPECT_TRUE(save->isHidden());

  // The tray advice goes when the dialog hides, but only while it is the last line.
  const QStringList shown = {QStringLiteral("Minimize for better performance!"),
                             QStringLiteral("Click OK and start Urban Terror")};
  EXPECT_EQ(Status(*dialog), shown);
  dialog->hide();
  EXPECT_EQ(Status(*dialog), shown);
  dialog->show();
  EXPECT_EQ(Status(*dialog),
            shown + QStringList{QStringLiteral("Minimize for better performance!")});
  dialog->hide();
  EXPECT_EQ(Status(*dialog), shown);

  // The headshot box is no page option; a page option offers saving them all.
  Child<QCheckBox>(*dialog, names::kHeadshotSoundBox)->setChecked(false);
  EXPECT_TRUE(save->isHidden());
  cyclic->setChecked(true);
  EXPECT_TRUE(period->isEnabled());
  EXPECT_FALSE(save->isHidden());
  Click(*dialog, names::kSaveOptionsLink);
  EXPECT_TRUE(save->isHidden());
  CaptureOptions stored;
  ASSERT_TRUE(LoadCaptureOptions(dir_.path(), stored));
  EXPECT_TRUE(stored.cyclic_stats);
  EXPECT_EQ(stored.stats_every_seconds, 30);
  EXPECT_FALSE(stored.headshot_sound);

  Click(*dialog, names::kHitOptionsTab);
  EXPECT_EQ(Child<QStackedWidget>(*dialog, names::kOptionPages)->currentIndex(), 1);
}

TEST_F(CaptureDialogTest, ShowsTheChosenProfileAndStartsNothingWhenItCannotBeOpened) {
  test::WriteFileBytes(
      dir_ / "Morv.mrv",
      "[NOTES]\r\nFriday nights.\r\n[ENOTES]\r\n[NICKNAMES]\r\nMorv\r\nMorv|UT\r\n"
      "[ENICKNAMES]\r\n[TOTALSTATS]\r\nGAMES=14\r\nTIME=3907\r\n"
      "FIRSTGAME=2024-05-01 20:15\r\nLASTGAME=2024-06-21 22:40\r\n[ETOTALSTATS]\r\n");
  auto dialog = Dialog(false);
  auto* profiles = Child<QListWidget>(*dialog, names::kProfileList);
  auto* nicknames = Child<QListWidget>(*dialog, names::kNicknameList);
  auto* summary = Child<QPlainTextEdit>(*dialog, names::kProfileSummary);
  auto* notes = Child<QPlainTextEdit>(*dialog, names::kProfileNotes);
  ASSERT_EQ(profiles->count(), 2);
  EXPECT_EQ(profiles->item(0)->text(), QStringLiteral("<no profile loaded>"));
  EXPECT_TRUE(Child<QWidget>(*dialog, names::kNotRequiredLabel)->isHidden());

  profiles->setCurrentRow(1);
  ASSERT_EQ(nicknames->count(), 2);
  EXPECT_EQ(nicknames->item(1)->text(), QStringLiteral("Morv|UT"));
  EXPECT_EQ(summary->toPlainText(),
            QStringLiteral("File: Morv.mrv\nTotal games: 14\nFirst game: 2024-05-01 20:15\n"
                           "Last game: 2024-06-21 22:40\nTotal time: 1:05:07s\n"));
  EXPECT_EQ(notes->toPlainText(), QStringLiteral("Friday nights."));
  profiles->setCurrentRow(0);
  EXPECT_EQ(nicknames->count(), 0);
  EXPECT_TRUE(summary->toPlainText().isEmpty());
  EXPECT_TRUE(notes->toPlainText().isEmpty());

  // The details button opens the profile manager for editing only; a profile made
  // meanwhile joins the list, and the choice stays.
  profiles->setCurrentRow(1);
  test::WhenShown<ProfileManagerWindow>([this](ProfileManagerWindow& manager) {
    EXPECT_TRUE(Child<QWidget>(manager, names::kOpenButton)->isHidden());
    test::WriteFileBytes(dir_ / "Alt.mrv",
                         "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nAlt\r\n"
                         "[ENICKNAMES]\r\n");
    manager.reject();
  });
  Click(*dialog, names::kProfileDetailsButton);
  ASSERT_EQ(profiles->count(), 3);
  EXPECT_EQ(profiles->currentItem()->text(), QStringLiteral("Morv.mrv"));
  EXPECT_EQ(nicknames->count(), 2);

  // The profile is gone when OK opens it: told, and the dialog stays as it was.
  profiles->setCurrentRow(2);
  std::filesystem::remove(dir_ / "Morv.mrv");
  Click(*dialog, names::kOkButton);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(
      boxes_.shown()[0].message,
      QStringLiteral("Unable to open profile!\n\nThe file could be locked by another process."));
  EXPECT_EQ(boxes_.shown()[0].title, QStringLiteral("ERROR!"));
  EXPECT_FALSE(state_->loaded_profile);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(profiles->isEnabled());

  // The close image before a start is Cancel.
  QSignalSpy ended(dialog.get(), &CaptureDialog::ended);
  Click(*dialog, names::kCloseImage);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->ErrorMessage(), "Cancelled");
  EXPECT_EQ(boxes_.shown().size(), 1u);
}

// While a capture runs, the console box gives way to the figures of the map being
// played, which come from the capture thread as it counts.
TEST_F(CaptureDialogTest, ShowsTheLiveFiguresOfTheMapWhileTheCaptureRuns) {
  devices_.UseConsole(test::PlayedGameConsole());
  auto dialog = Dialog(true);
  auto text = [&dialog](const char* line) { return Child<QLabel>(*dialog, line)->text(); };
  EXPECT_FALSE(Child(*dialog, names::kLiveFiguresBox)->isVisible());
  Click(*dialog, names::kMinimizeToTrayBox);  // stays in sight
  Click(*dialog, names::kOkButton);
  EXPECT_TRUE(Child(*dialog, names::kLiveFiguresBox)->isVisible());
  EXPECT_FALSE(Child(*dialog, names::kConsoleBox)->isVisible());
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return text(names::kLiveFigures) == "Kills: 1    Deaths: 1    Hits given: 2"; },
      kPatienceMs));
  EXPECT_EQ(text(names::kLiveMap), QStringLiteral("Map: ut4_abbey"));
  EXPECT_EQ(text(names::kLiveNickname), QStringLiteral("You: Morv"));
  boxes_.SetNextAnswer(true);  // it counted: throw it away
  Click(*dialog, names::kCancelButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->isHidden(); }, kPatienceMs));
}

// A file that is no program is refused before it is kept, a kept program that is gone
// is asked for again, and "change..." chooses another at any time.
TEST_F(CaptureDialogTest, TheGamesProgramIsCheckedBeforeItIsKeptAndCanBeChanged) {
  namespace fs = std::filesystem;
  const fs::path notes = dir_ / "readme.txt";
  const fs::path game = dir_ / "urban-terror.sh";
  test::WriteFileBytes(notes, "not a game");
  test::WriteFileBytes(game, "#!/bin/sh\n");
  fs::permissions(game, fs::perms::owner_exec, fs::perm_options::add);
  fs::create_symlink(fs::path(MORVANE_BIN_DIR) / "morvane-console", dir_ / "morvane-console");
  auto dialog = Dialog(true);
  dialogs_.SetNextAnswer(PathText(notes));
  dialogs_.SetNextAnswer(PathText(game));
  Click(*dialog, names::kChangeGameLink);
  ASSERT_EQ(dialogs_.asked().size(), 2u);
  EXPECT_EQ(dialogs_.asked()[1].location, PathText(dir_.path()));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].message,
            PathText(notes) + QStringLiteral("\nis not a program that can be started.\n\n"
                                             "Please choose the game's program."));
  EXPECT_EQ(ReadGamePath(dir_.path()), game.string());

  // Gone since: starting it says so and asks again; cancelled, nothing starts.
  fs::remove(game);
  Click(*dialog, names::kStartGameButton);
  ASSERT_EQ(dialogs_.asked().size(), 3u);
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[1].message,
            QStringLiteral("The game's program kept for \"Start the game\"\n") + PathText(game) +
                QStringLiteral("\nis missing.\n\nPlease choose it again."));
}

TEST_F(CaptureDialogTest, AnEmptyLogFailsWithoutShowingTheDialog) {
  state_ = test::StartedState(dir_.path());
  test::WriteFileBytes(dir_ / "empty.log", "");
  CaptureDialog dialog(*state_, devices_, dir_ / "empty.log");
  QSignalSpy ended(&dialog, &CaptureDialog::ended);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.ErrorMessage(), "Unable to parse log file!");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(ended.count(), 0);
}

TEST(QtSoundPlayerTest, PlaysOnItsOwnThreadInOrderAtItsOwnVolume) {
  QtSoundPlayer player;
  auto* headshot = player.findChildren<QSoundEffect*>().at(0);
  QSignalSpy playing(headshot, &QSoundEffect::playingChanged);
  // The capture's thread: a silent warm-up, then a sound at the volume found before.
  player.SetVolume(80);
  std::thread([&player] {
    const int volume = player.Volume();
    player.SetVolume(0);
    player.Play(Sound::Headshot);
    player.StopAll();
    player.SetVolume(volume);
    player.Play(Sound::Headshot);
  }).join();
  EXPECT_EQ(playing.count(), 0) << "played on the capture's thread";
  QCoreApplication::processEvents();
  EXPECT_EQ(playing.count(), 3);  // on, off, on
  EXPECT_TRUE(headshot->isPlaying());
  EXPECT_EQ(player.Volume(), 80);
  player.SetVolume(300);
  EXPECT_EQ(player.Volume(), 255);
  // Qt's sample cache must be idle by the time the test program exits.
  for (const QSoundEffect* effect : player.findChildren<QSoundEffect*>()) {
    EXPECT_TRUE(QTest::qWaitFor([effect] { return effect->status() != QSoundEffect::Loading; }));
  }
}

}  // namespace
}  // namespace mrv::ui
