// The profile manager: the rules that can lose or corrupt a profile, and its two
// ways of opening one.
#include "ui/profile_manager_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "support/print_qstring.h"
#include "support/paths.h"
#include "ui/create_profile_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "support/ui_fixtures.h"

namespace mrv::ui {
namespace {

using test::Child;
using test::Click;
using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr int kWeapons = 3;
const std::string kTwoGames = test::ReadFileBytes(test::TestDataDir() / "profile_two_games.mrv");

std::string NewProfile(const std::vector<std::string>& nicks) {
  std::string content = "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\n";
  for (const auto& nick : nicks) content += nick + "\r\n";
  return content + "[ENICKNAMES]\r\n";
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items.append(list.item(i)->text());
  return items;
}

class ProfileManagerWindowTest : public ::testing::Test {
 protected:
  ProfileManagerWindowTest() : dir_("profiles-window") {}

  std::unique_ptr<ProfileManagerWindow> Open() {
    auto manager = std::make_unique<ProfileManagerWindow>(dir_.path(), profile_store_, loaded_);
    manager->show();  // it is clicked through its window
    EXPECT_TRUE(QTest::qWaitForWindowExposed(manager.get()));
    return manager;
  }

  test::ScratchDir dir_;
  // Another program's lock is waited for only briefly here.
  ProfileStore profile_store_{dir_.path(), kWeapons, std::chrono::milliseconds(50)};
  LoadedProfile loaded_;
  ScriptedBoxes boxes_;
};

TEST_F(ProfileManagerWindowTest, SwitchingWithPendingChangesSavesOnOkDropsOnCancelKeepsThemOnFailure) {
  WriteFileBytes(dir_ / "a.mrv", kTwoGames);
  WriteFileBytes(dir_ / "b.mrv", NewProfile({"Bob"}));
  auto manager = Open();
  auto* profiles = Child<QListWidget>(*manager, names::kProfileList);
  EXPECT_EQ(Items(*profiles), QStringList({"<no profile loaded>", "a.mrv", "b.mrv"}));
  profiles->setCurrentRow(1);
  EXPECT_EQ(Child<QPlainTextEdit>(*manager, names::kProfileInfo)->toPlainText(),
            QStringLiteral("File: a.mrv\nTotal games: 2\nFirst game: 2024-05-01 20:15\n"
                           "Last game: 2024-05-02 21:00\nTotal time: 30:0s\n"));
  EXPECT_EQ(Child<QPlainTextEdit>(*manager, names::kProfileNotes)->toPlainText(),
            QStringLiteral("Plays on Sundays"));

  // A nickname added: the frame around Save blinks, first after 200 ms, then shown
  // 3000 ms and hidden 100 ms.
  auto* timer = Child<QTimer>(*manager, names::kSaveBlinkTimer);
  auto* frame = Child<QWidget>(*manager, names::kSavePendingFrame);
  Child<QLineEdit>(*manager, names::kNicknameEntry)->setText(QStringLiteral("joe"));
  Click(*manager, names::kAddButton);
  EXPECT_EQ(Items(*Child<QListWidget>(*manager, names::kNicknameList)),
            QStringList({"Joe", "joe"}));
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 200);
  EXPECT_TRUE(frame->isHidden());
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_FALSE(frame->isHidden());
  EXPECT_EQ(timer->interval(), 3000);
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_TRUE(frame->isHidden());
  EXPECT_EQ(timer->interval(), 100);

  // While another program changes a.mrv, the save fails: a.mrv stays shown with its
  // changes pending.
  {
    const FileLock other = FileLock::Acquire(dir_ / "a.mrv", std::chrono::milliseconds(0));
    boxes_.SetNextAnswer(true);
    profiles->setCurrentRow(2);
  }
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[0].message,
            QStringLiteral("Player profile changed!\n\nDo you want to save the changes?"));
  EXPECT_EQ(boxes_.shown()[1].message, QStringLiteral("\nUnable to open profile!\n\nThe file "
                                                      "could be locked by another process."));
  EXPECT_EQ(boxes_.shown()[1].title, QStringLiteral("ERROR!"));
  EXPECT_EQ(profiles->currentRow(), 1);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(ReadFileBytes(dir_ / "a.mrv"), kTwoGames);

  // OK writes the changes; the games after the nicknames stay.
  boxes_.SetNextAnswer(true);
  profiles->setCurrentRow(2);
  std::string saved = kTwoGames;
  saved.insert(saved.find("Joe\r\n") + 5, "joe\r\n");
  EXPECT_EQ(ReadFileBytes(dir_ / "a.mrv"), saved);
  EXPECT_FALSE(timer->isActive());
  EXPECT_TRUE(frame->isHidden());
  EXPECT_EQ(Items(*Child<QListWidget>(*manager, names::kNicknameList)), QStringList({"Bob"}));

  // Cancel drops them.
  Child<QPlainTextEdit>(*manager, names::kProfileNotes)->setPlainText(QStringLiteral("new notes"));
  EXPECT_TRUE(timer->isActive());
  boxes_.SetNextAnswer(false);
  profiles->setCurrentRow(1);
  EXPECT_EQ(boxes_.shown().size(), 4u);
  EXPECT_EQ(ReadFileBytes(dir_ / "b.mrv"), NewProfile({"Bob"}));
  EXPECT_FALSE(timer->isActive());
}

// Leaving by Cancel, Escape or the close image asks as switching does: OK saves (and a
// failed save keeps the window open), Cancel drops the changes.
TEST_F(ProfileManagerWindowTest, LeavingWithPendingChangesAsksFirst) {
  WriteFileBytes(dir_ / "b.mrv", NewProfile({"Bob"}));
  const QString question = QStringLiteral("Player profile changed!\n\nDo you want to save the changes?");
  auto manager = Open();
  manager->show();
  Child<QListWidget>(*manager, names::kProfileList)->setCurrentRow(1);
  auto* notes = Child<QPlainTextEdit>(*manager, names::kProfileNotes);
  notes->setPlainText(QStringLiteral("kept"));
  {
    const FileLock other = FileLock::Acquire(dir_ / "b.mrv", std::chrono::milliseconds(0));
    boxes_.SetNextAnswer(true);
    QTest::keyClick(manager.get(), Qt::Key_Escape);
  }
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[0].message, question);
  EXPECT_TRUE(manager->isVisible());
  boxes_.SetNextAnswer(true);
  manager->close();
  EXPECT_FALSE(manager->isVisible());
  EXPECT_EQ(ReadFileBytes(dir_ / "b.mrv"),
            "[NOTES]\r\nkept\r\n[ENOTES]\r\n[NICKNAMES]\r\nBob\r\n[ENICKNAMES]\r\n");

  manager = Open();
  manager->show();
  Child<QListWidget>(*manager, names::kProfileList)->setCurrentRow(1);
  Child<QPlainTextEdit>(*manager, names::kProfileNotes)->setPlainText(QStringLiteral("dropped"));
  boxes_.SetNextAnswer(false);
  Click(*manager, names::kCancelButton);
  ASSERT_EQ(boxes_.shown().size(), 4u);
  EXPECT_EQ(boxes_.shown()[3].message, question);
  EXPECT_FALSE(manager->isVisible());
  EXPECT_NE(ReadFileBytes(dir_ / "b.mrv").find("kept"), std::string::npos);
}

TEST_F(ProfileManagerWindowTest, AnInvalidFileShowsWhyAndCannotBeEdited) {
  WriteFileBytes(dir_ / "bad.mrv", "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\n[ENICKNAMES]\r\n");
  auto manager = Open();
  Child<QListWidget>(*manager, names::kProfileList)->setCurrentRow(1);
  EXPECT_EQ(Child<QPlainTextEdit>(*manager, names::kProfileInfo)->toPlainText(),
            QStringLiteral("The file doesn't seem valid!"));
  Child<QLineEdit>(*manager, names::kNicknameEntry)->setText(QStringLiteral("Neo"));
  Click(*manager, names::kAddButton);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].message,
            QStringLiteral("No profile selected!\n\nYou must open a profile before you can add "
                           "nicknames."));
  EXPECT_FALSE(Child<QTimer>(*manager, names::kSaveBlinkTimer)->isActive());
  EXPECT_TRUE(Child<QPlainTextEdit>(*manager, names::kProfileNotes)->isReadOnly());
  Click(*manager, names::kSaveButton);
  EXPECT_EQ(ReadFileBytes(dir_ / "bad.mrv"),
            "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\n[ENICKNAMES]\r\n");
}

TEST_F(ProfileManagerWindowTest, CreatingOverAnExistingProfileNeedsYes) {
  WriteFileBytes(dir_ / "joe.mrv", kTwoGames);
  auto manager = Open();
  Child<QListWidget>(*manager, names::kProfileList)->setCurrentRow(1);
  bool checked = false;
  test::WhenShown<CreateProfileDialog>([this, &checked](CreateProfileDialog& dialog) {
    // Typed into the dialog's window: the name field has the focus, then a click the notes.
    test::TypeText(dialog, QStringLiteral("j/o:e?"));
    EXPECT_EQ(Child<QLineEdit>(dialog, names::kProfileNameField)->text(), QStringLiteral("joe"));
    auto* notes = Child<QPlainTextEdit>(dialog, names::kProfileNotes);
    test::ClickAt(*notes->viewport(), {5, 5});
    test::TypeText(dialog, QString(120, QLatin1Char('x')));
    EXPECT_EQ(notes->toPlainText().size(), 100);

    // No nickname: a beep, no question.
    Click(dialog, names::kOkButton);
    EXPECT_TRUE(boxes_.shown().empty());
    Child<QLineEdit>(dialog, names::kFirstNicknameField)->setText(QStringLiteral("Neo"));
    for (const Choice choice : {Choice::kNo, Choice::kCancel}) {
      boxes_.SetNextChoice(choice);
      Click(dialog, names::kOkButton);
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(ReadFileBytes(dir_ / "joe.mrv"), kTwoGames);
    }
    ASSERT_EQ(boxes_.shown().size(), 2u);
    EXPECT_EQ(boxes_.shown()[0].kind, ScriptedBoxes::Kind::kYesNoCancel);
    EXPECT_EQ(boxes_.shown()[0].message,
              QStringLiteral("File already exists!\nDo you want to overwrite?"));
    boxes_.SetNextChoice(Choice::kYes);
    Click(dialog, names::kOkButton);
    checked = true;
  });
  Click(*manager, names::kCreateButton);
  ASSERT_TRUE(checked);
  EXPECT_EQ(ReadFileBytes(dir_ / "joe.mrv"), "[NOTES]\r\n" + std::string(100, 'x') +
                                                 "\r\n[ENOTES]\r\n[NICKNAMES]\r\nNeo\r\n"
                                                 "[ENICKNAMES]\r\n");
  EXPECT_EQ(Child<QListWidget>(*manager, names::kProfileList)->currentRow(), 0);
  EXPECT_TRUE(Child<QPlainTextEdit>(*manager, names::kProfileInfo)->toPlainText().isEmpty());
}

// From the main window: hidden while the manager and the viewer run; Open shows the
// profile in the viewer and closes it afterwards.
TEST(ProfilesFromMainWindowTest, OpenShowsTheProfileInTheViewerThenClosesIt) {
  test::ScratchDir dir("profiles-main");
  test::FillDataDir(dir.path());
  WriteFileBytes(dir / "joe.mrv", NewProfile({"Joe"}));
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogs;
  test::RecordingViewer viewer;
  viewer.profile_error = "Invalid file!";
  test::TestCaptureDevices devices;
  MainWindow main(test::StartedState(dir.path()), dialogs, viewer, devices);
  main.show();

  bool main_hidden = false;
  test::WhenShown<ProfileManagerWindow>([&main, &main_hidden](ProfileManagerWindow& manager) {
    main_hidden = !main.isVisible();
    Child<QListWidget>(manager, names::kProfileList)->setCurrentRow(1);
    Click(manager, names::kOpenButton);
  });
  Click(main, names::kProfilesButton);
  EXPECT_TRUE(main_hidden);
  EXPECT_EQ(viewer.profiles_shown, std::vector<std::string>{"joe.mrv"});
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].message, QStringLiteral("\nInvalid file!"));
  EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("ERROR!"));
  EXPECT_FALSE(main.state().profile_store.Active());
  EXPECT_FALSE(main.state().loaded_profile.has_value());
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace mrv::ui
