// The main window: hover texts, the recent-files panel, and a saved game it cannot load
// (a good one is opened in the real viewer in stats_viewer_window_test; its keys are in
// keyboard_test).
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "product.h"
#include "support/main_window_fixture.h"
#include "support/paths.h"
#include "support/print_qstring.h"
#include "ui/file_dialogs.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/recent_files_panel.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

using test::Child;
using test::MoveTo;

const std::filesystem::path kSavedGame = test::TestDataDir() / "golden" / "ts_two_maps.stg";

class MainWindowTest : public MainWindowFixture {
 protected:
  MainWindowTest() : MainWindowFixture("main-window") {}
};

// Left of the buttons: the window's background.
constexpr QPoint kBackground{6, 200};

QString Description(MainWindow& main) {
  return main.findChild<QLabel*>(names::kDescription)->text();
}

// The pointer really moves, over the window: each widget it crosses gets its enter,
// leave and move events as on a desktop.
TEST_F(MainWindowTest, ButtonsDescribeThemselvesAndTheBackgroundRestoresTheAboutText) {
  auto main = Open();
  const QString about = Description(*main);
  EXPECT_TRUE(about.startsWith(QStringLiteral("\n\nMorvane ") + QString::fromLatin1(kVersion.data()) +
                               QStringLiteral(" (MRV)\n")));

  const auto hover = [&main](const QString& name) {
    MoveTo(*Child(*main, name), {30, 10});
    return Description(*main);
  };
  EXPECT_EQ(hover(names::kMonitorButton),
            QStringLiteral("\n\nSelect this and run Urban Terror.\n\nMRV will monitor your Quake 3 "
                           "console and generate your stats in real time!"));
  EXPECT_TRUE(hover(names::kParseButton).contains(QStringLiteral("No time support!")));
  EXPECT_EQ(hover(names::kLoadButton),
            QStringLiteral("\n\nSelected this to load a previously saved game (.stg)"));
  EXPECT_EQ(hover(names::kProfilesButton),
            QStringLiteral("\n\nView, create or modify your player profile"));

  // Over a button its text stays; over the description or the background the about text
  // returns.
  EXPECT_NE(hover(names::kLoadButton), about);
  MoveTo(*Child(*main, names::kDescription), {100, 100});
  EXPECT_EQ(Description(*main), about);
  hover(names::kLoadButton);
  MoveTo(*main, kBackground);
  EXPECT_EQ(Description(*main), about);

  // The keyboard focus describes its button as the pointer does.
  test::PressKey(*main, Qt::Key_Tab);
  EXPECT_TRUE(Description(*main).contains(QStringLiteral("No time support!")));
}

TEST_F(MainWindowTest, TheParseButtonShowsTheRecentFilesPanel) {
  const std::string long_path =
      "/home/player/games/urban terror/a folder with a rather long name/logs/qconsole.log";
  auto main = Open({long_path, "", "/home/player/short.log"});
  auto* panel = Child<RecentFilesPanel>(*main, names::kRecentFilesPanel);
  EXPECT_FALSE(panel->isVisible());
  test::Click(*main, names::kParseButton);
  ASSERT_TRUE(panel->isVisible());

  // A screen reader reads the recent files in full.
  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(panel);
  ASSERT_EQ(lines->childCount(), 4);
  EXPECT_EQ(lines->child(0)->text(QAccessible::Name), QStringLiteral("browse"));
  EXPECT_EQ(lines->child(1)->text(QAccessible::Name),
            QStringLiteral("1 - ") + PathText(long_path));
  EXPECT_EQ(lines->child(2)->text(QAccessible::Name), QStringLiteral("2 -"));
  EXPECT_EQ(lines->child(3)->role(), QAccessible::MenuItem);

  // The line under the pointer is lit; a line's own top edge is not inside it.
  MoveTo(*panel, RecentFilesPanel::LinePoint(2));
  EXPECT_EQ(panel->HighlightedLine(), 2);
  EXPECT_TRUE(lines->child(2)->state().hotTracked);
  MoveTo(*panel, QPoint(10, panel->LineRect(3).top()));
  EXPECT_EQ(panel->HighlightedLine(), -1);

  // Moving over the background hides it.
  MoveTo(*main, kBackground);
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(MainWindowTest, AMissingOrDamagedSavedGameGivesItsMessageAndTheWindowStays) {
  auto main = Open();
  const auto& boxes = boxes_;
  const QString missing = PathText(dir_ / "gone.stg");
  dialogs_.SetNextAnswer(missing);
  main->LoadSavedGame();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].message, QStringLiteral("Unable to find file: ") + missing);
  EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("ERROR!"));
  EXPECT_EQ(main->state().settings.last_dir, DirectoryOf(missing));

  // The game ends halfway through its map.
  const std::string game = test::ReadFileBytes(kSavedGame);
  test::WriteFileBytes(dir_ / "damaged.stg", game.substr(0, game.size() / 2));
  dialogs_.SetNextAnswer(PathText(dir_ / "damaged.stg"));
  main->LoadSavedGame();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].kind, ScriptedBoxes::Kind::kError);
  EXPECT_TRUE(boxes.shown()[1].message.startsWith(QStringLiteral("Unable to load file ")));

  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_TRUE(main->isVisible());
  // The maps read before the damage do not linger into the next game.
  EXPECT_TRUE(main->state().store.empty());
}

// A window the platform placed is placed anew when it is shown again, unless its place
// is its own: after the viewer it stands where it stood.
TEST_F(MainWindowTest, TheWindowKeepsItsPlaceWhenTheViewerCloses) {
  auto main = Open();
  const QPoint place = main->pos();
  dialogs_.SetNextAnswer(PathText(kSavedGame));
  test::Click(*main, names::kLoadButton);
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_FALSE(viewer_.opened[0].parent_visible);
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(main->pos(), place);
  EXPECT_TRUE(main->testAttribute(Qt::WA_Moved));
}

// A file dropped on the window opens as its button would open it; a profile may live
// anywhere; other kinds of file are refused at the door.
TEST_F(MainWindowTest, DroppedFilesOpenLikeTheirButtons) {
  auto main = Open();
  const auto drop = [&main](const std::filesystem::path& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(PathText(file))});
    QDragEnterEvent enter(QPoint(200, 150), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(main.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(200, 150), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(main.get(), &dropped);
    QCoreApplication::processEvents();
    return true;
  };
  ASSERT_TRUE(drop(kSavedGame));
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_TRUE(viewer_.opened[0].opening.monitor);
  EXPECT_EQ(viewer_.opened[0].opening.last_game, "ts_two_maps");
  EXPECT_EQ(viewer_.opened[0].maps, 2);

  test::CreateSampleProfile(main->state(), "Morv", {{"2024-04-28 21:40", "ffa_short"}});
  std::filesystem::create_directories(dir_ / "elsewhere");
  std::filesystem::rename(dir_ / "Morv.mrv", dir_ / "elsewhere" / "Morv.MRV");
  ASSERT_TRUE(drop(dir_ / "elsewhere" / "Morv.MRV"));
  EXPECT_EQ(viewer_.profiles_shown, (std::vector<std::string>{(dir_ / "elsewhere" / "Morv.MRV").string()}));
  EXPECT_FALSE(main->state().loaded_profile) << "released when the viewer closed";

  test::WriteFileBytes(dir_ / "notes.txt", "hello");
  EXPECT_FALSE(drop(dir_ / "notes.txt"));
  EXPECT_EQ(viewer_.opened.size(), 1u);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace mrv::ui
