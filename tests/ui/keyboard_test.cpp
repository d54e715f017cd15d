// A player without a mouse: from the main window through a parsed log into the viewer
// and back, then into the profile manager. Every key goes to the window that has the
// focus, as the desktop sends it; the test only looks where the focus went and what
// the windows show.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "support/paths.h"
#include "support/print_qstring.h"
#include "support/ui_fixtures.h"
#include "ui/capture_dialog.h"
#include "ui/create_profile_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/popup_lines.h"
#include "ui/profile_manager_window.h"
#include "ui/row_list.h"
#include "ui/stats_viewer_window.h"

namespace mrv::ui {
namespace {

using test::Child;

QString FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr ? focus->objectName() : QStringLiteral("<nothing>");
}

// A key typed now: it goes to the window that has the focus, and on from there to its
// focused widget.
void Key(int key, Qt::KeyboardModifiers keys = {}) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) focus = QApplication::activeWindow();
  ASSERT_NE(focus, nullptr) << "no window has the focus";
  test::PressKey(*focus, key, keys);
}

void Type(const QString& text) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr) << "no widget has the focus";
  test::TypeText(*focus, text);
}

// The desktop activates a window some time after it shows (a window that only belongs
// to the active one is not active itself yet).
bool Active(const QWidget& window) {
  return QTest::qWaitFor([&] { return window.isActiveWindow(); });
}

// A window closed: the desktop gives the focus back to the window below it, which the
// offscreen platform of the tests does not do by itself.
bool BackTo(QWidget& window) {
  if (!window.isActiveWindow()) window.activateWindow();
  return Active(window);
}

// Tab until the widget named `name` has the focus; false when a round of the window's
// Tab order never reaches it.
bool TabTo(const QString& name) {
  for (int presses = 0; presses < 30; ++presses) {
    if (FocusName() == name) return true;
    Key(Qt::Key_Tab);
  }
  return FocusName() == name;
}

// The line of a popup a screen reader is told the keyboard is on.
QString FocusedLine(PopupLines& popup) {
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(&popup);
  QAccessibleInterface* line = lines != nullptr ? lines->focusChild() : nullptr;
  return line != nullptr && line != lines ? line->text(QAccessible::Name) : QString();
}

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() : dir_("keyboard") {}

  test::ScratchDir dir_;
  ScriptedBoxes boxes_;  // no test may block on a box
  ScriptedFileDialogs dialogs_;
  ViewerWindowLauncher viewer_;
  test::TestCaptureDevices devices_;
};

// The viewer's part of the walk: a map and two players chosen with the list keys, the
// overall table from the menu, and Escape to close.
void WalkTheViewer(StatsViewerWindow& viewer, ScriptedBoxes& boxes, bool& walked) {
  ASSERT_TRUE(Active(viewer));
  ASSERT_TRUE(TabTo(names::kMapList)) << FocusName().toStdString();
  Key(Qt::Key_Down);
  Key(Qt::Key_Space);
  EXPECT_EQ(test::SelectedRows(viewer, names::kMapList), (std::vector<int>{1}));

  ASSERT_TRUE(TabTo(names::kPlayerList)) << FocusName().toStdString();
  const auto& players = Child<RowList>(viewer, names::kPlayerList)->rows();
  ASSERT_GE(players.size(), 2u);
  Key(Qt::Key_Home);
  Key(Qt::Key_Return);
  EXPECT_EQ(Child<QLabel>(viewer, names::kPlayerNickname)->text(), players[0].caption);
  Key(Qt::Key_Down);
  Key(Qt::Key_Space, Qt::ControlModifier);  // as a Ctrl-click: both are chosen
  EXPECT_EQ(test::SelectedRows(viewer, names::kPlayerList), (std::vector<int>{0, 1}));

  // Alt+M opens the menu with the focus in it; Down passes over the grey lines.
  Key(Qt::Key_M, Qt::AltModifier);
  auto* menu = Child<PopupLines>(viewer, names::kMenuPopup);
  ASSERT_TRUE(menu->isVisible());
  for (int i = 0; i < menu->LineCount() && FocusedLine(*menu) != QStringLiteral("Overall stats");
       ++i) {
    Key(Qt::Key_Down);
  }
  ASSERT_EQ(FocusedLine(*menu), QStringLiteral("Overall stats"));
  Key(Qt::Key_Return);
  EXPECT_FALSE(menu->isVisible());
  auto* overall = Child(viewer, names::kOverallWindow);
  EXPECT_TRUE(overall->isVisible());

  // The table takes the focus as it shows; Escape closes it, and then the viewer, whose
  // close query (a parsed game is never saved) is answered OK.
  ASSERT_TRUE(Active(*overall));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(overall->isVisible());
  ASSERT_TRUE(BackTo(viewer));
  boxes.SetNextAnswer(true);
  walked = true;
  Key(Qt::Key_Escape);
}

TEST_F(KeyboardTest, ParsesALogReadsItInTheViewerAndCreatesAProfile) {
  const auto log = dir_ / "tonight.log";
  std::filesystem::copy_file(test::SamplesDir() / "ts_two_maps.log", log);
  test::FillDataDir(dir_.path());
  auto main = test::ShownMainWindow(dir_.path(), {log.string(), "", ""}, dialogs_, viewer_,
                                    devices_);
  ASSERT_TRUE(Active(*main));

  // The window starts on its first button; Tab goes down the buttons, each describing
  // itself.
  EXPECT_EQ(FocusName(), QString::fromLatin1(names::kMonitorButton));
  Key(Qt::Key_Tab);
  EXPECT_EQ(FocusName(), QString::fromLatin1(names::kParseButton));
  EXPECT_TRUE(
      Child<QLabel>(*main, names::kDescription)->text().contains(QStringLiteral("log file")));

  // Parse: the recent-files panel takes the keys; Down to the log, Enter, and in the
  // capture dialog Enter is OK.
  bool parsed = false;
  bool walked = false;
  test::WhenShown<CaptureDialog>([&](CaptureDialog& dialog) {
    ASSERT_TRUE(Active(dialog));
    Key(Qt::Key_Return);
    parsed = true;
    test::WhenShown<StatsViewerWindow>(
        [&](StatsViewerWindow& viewer) { WalkTheViewer(viewer, boxes_, walked); });
  });
  Key(Qt::Key_Space);
  EXPECT_EQ(FocusName(), QString::fromLatin1(names::kRecentFilesPanel));
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  EXPECT_TRUE(parsed);
  EXPECT_TRUE(walked);
  ASSERT_TRUE(BackTo(*main));

  // Alt+R: the profile manager. Alt+C creates a profile: its name, Tab, the nickname,
  // Enter. Escape closes the manager.
  bool created = false;
  test::WhenShown<ProfileManagerWindow>([&](ProfileManagerWindow& manager) {
    ASSERT_TRUE(Active(manager));
    test::WhenShown<CreateProfileDialog>([&](CreateProfileDialog& dialog) {
      ASSERT_TRUE(Active(dialog));
      EXPECT_EQ(FocusName(), QString::fromLatin1(names::kProfileNameField));
      Type(QStringLiteral("Keys"));
      Key(Qt::Key_Tab);
      Type(QStringLiteral("Morv"));
      Key(Qt::Key_Return);
    });
    // A button's letter clicks it as a short press would, a moment later.
    Key(Qt::Key_C, Qt::AltModifier);
    created = QTest::qWaitFor([&] {
      return Child<QListWidget>(manager, names::kProfileList)
                 ->findItems(QStringLiteral("Keys.mrv"), Qt::MatchExactly)
                 .size() == 1;
    });
    ASSERT_TRUE(BackTo(manager));
    Key(Qt::Key_Escape);
  });
  Key(Qt::Key_R, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return created; }));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Keys.mrv"));
}

}  // namespace
}  // namespace mrv::ui
