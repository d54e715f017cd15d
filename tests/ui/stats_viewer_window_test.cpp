// The stats viewer's window driven as a player drives it: clicks in its lists, its
// menu and the map popup, the close query, and the secondary windows. The figures
// themselves are the document's (tests/views); here the widgets must show them and
// forward every action.
#include "ui/stats_viewer_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "files/ini_file.h"
#include "support/paths.h"
#include "support/print_qstring.h"
#include "support/ui_fixtures.h"
#include "ui/file_dialogs.h"
#include "ui/grid_table.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/popup_lines.h"
#include "ui/row_list.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"

namespace mrv::ui {
namespace {

using test::Child;
using test::ChooseMenuSlot;
using test::Click;
using test::ClickRow;

class StatsViewerWindowTest : public test::StartedProgramTest {
 protected:
  StatsViewerWindowTest() : StartedProgramTest("viewer-window") {}

  // The viewer on ts_two_maps as a live capture (or a parsed log) gives it, shown.
  std::unique_ptr<StatsViewerWindow> OpenGame(bool monitor = true, bool never_saved = false) {
    test::LoadMonitoredSample(*state_, "ts_two_maps");
    auto viewer = std::make_unique<StatsViewerWindow>(*state_, ViewerDialogs{}, nullptr);
    EXPECT_TRUE(viewer->ReadGeometry());
    viewer->OpenGame(
        {.monitor = monitor, .last_game = "2024-05-01 21:07", .never_saved = never_saved});
    viewer->show();
    return viewer;
  }

  static QString Text(QWidget& window, const QString& label) {
    return Child<QLabel>(window, label)->text();
  }
  static std::vector<QString> Captions(QWidget& window, const QString& list) {
    std::vector<QString> captions;
    for (const auto& row : Child<RowList>(window, list)->rows()) captions.push_back(row.caption);
    return captions;
  }
  static void RightPressMap(QWidget& viewer, int row) {
    test::ClickAt(*Child<RowList>(viewer, names::kMapList)->stack(), RowList::RowPoint(row),
                  Qt::RightButton);
  }
  static void ChooseMapPopupLine(QWidget& viewer, int line) {
    test::ClickAt(*Child<PopupLines>(viewer, names::kMapPopup), PopupLines::LinePoint(line));
  }
  // The messages of the boxes shown since the last call.
  std::vector<QString> TakeMessages() {
    std::vector<QString> messages;
    for (; taken_ < boxes_.shown().size(); ++taken_)
      messages.push_back(boxes_.shown()[taken_].message);
    return messages;
  }

  std::size_t taken_ = 0;
};

// The click rules themselves are the document's (tests/views): here each list and
// modifier must reach it, and the panels follow.
TEST_F(StatsViewerWindowTest, ClicksInBothListsReachTheDocument) {
  auto viewer = OpenGame();
  EXPECT_EQ(Captions(*viewer, names::kMapList),
            (std::vector<QString>{"all maps", "ut4_turnpike", "ut4_casa"}));
  const std::size_t everyone = Captions(*viewer, names::kPlayerList).size();
  ClickRow(*viewer, names::kMapList, 1);
  EXPECT_LT(Captions(*viewer, names::kPlayerList).size(), everyone);
  ClickRow(*viewer, names::kMapList, 2, Qt::ControlModifier);
  EXPECT_EQ(test::SelectedRows(*viewer, names::kMapList), (std::vector<int>{1, 2}));
  EXPECT_EQ(Captions(*viewer, names::kPlayerList).size(), everyone);

  // A player: his figures, on the kills-and-deaths tab.
  const std::vector<QString> players = Captions(*viewer, names::kPlayerList);
  ClickRow(*viewer, names::kPlayerList, 0);
  EXPECT_EQ(Text(*viewer, names::kPlayerNickname), players[0]);
  EXPECT_TRUE(Child<ImageButton>(*viewer, names::kKillsDeathsTab)->IsDown());
  EXPECT_FALSE(Child<GridTable>(*viewer, names::kKillsGrid)->Cell(0, 0).isEmpty());
  ClickRow(*viewer, names::kPlayerList, 3, Qt::ControlModifier);
  EXPECT_EQ(test::SelectedRows(*viewer, names::kPlayerList), (std::vector<int>{0, 3}));
  EXPECT_EQ(Text(*viewer, names::kPlayerNickname), players[3]);

  // A map click refreshes: no player chosen, back on the hits given.
  ClickRow(*viewer, names::kMapList, 1);
  EXPECT_TRUE(test::SelectedRows(*viewer, names::kPlayerList).empty());
  EXPECT_EQ(Text(*viewer, names::kPlayerLines[0]), QStringLiteral("Kills: "));
  EXPECT_TRUE(Child<ImageButton>(*viewer, names::kHitsGivenTab)->IsDown());
}

// Escape, the key players hit most, closes a capture that only memory holds only after
// the question; once saved it closes at once.
TEST_F(StatsViewerWindowTest, ACaptureNeverSavedAsksBeforeEscapeClosesIt) {
  auto viewer = OpenGame(true, /*never_saved=*/true);
  viewer->activateWindow();
  boxes_.SetNextAnswer(false);
  QTest::keyClick(viewer.get(), Qt::Key_Escape);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(TakeMessages(),
            (std::vector<QString>{"You have unsaved changes!\n\nAre you sure you want to exit?"}));
  ChooseMenuSlot(*viewer, 1);
  EXPECT_EQ(TakeMessages(), (std::vector<QString>{"\nGame saved!"}));
  QTest::keyClick(viewer.get(), Qt::Key_Escape);
  EXPECT_FALSE(viewer->isVisible());
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(StatsViewerWindowTest, MenuSlotsOfAMonitoredAndOfAParsedGame) {
  auto viewer = OpenGame();
  Click(*viewer, names::kMenuLabel);
  auto* menu = Child<PopupLines>(*viewer, names::kMenuPopup);
  ASSERT_TRUE(menu->isVisible());
  test::MoveTo(*menu, PopupLines::LinePoint(3));
  EXPECT_EQ(menu->HighlightedLine(), 3);
  // A press elsewhere hides it.
  test::ClickAt(*Child<RowList>(*viewer, names::kPlayerList)->stack(), QPoint(5, 400));
  EXPECT_FALSE(menu->isVisible());

  ChooseMenuSlot(*viewer, 4);
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(TakeMessages().size(), 1u);

  ChooseMenuSlot(*viewer, 5);
  auto* overall = Child<QWidget>(*viewer, names::kOverallWindow);
  EXPECT_TRUE(overall->isVisible());
  auto* table = Child<QTreeWidget>(*overall, names::kOverallList);
  EXPECT_EQ(table->topLevelItemCount(),
            static_cast<int>(Captions(*viewer, names::kPlayerList).size()));
  // Choosing a row there chooses the player in the viewer.
  test::ClickAt(*table->viewport(), table->visualItemRect(table->topLevelItem(2)).center());
  EXPECT_EQ(Text(*viewer, names::kPlayerNickname), table->topLevelItem(2)->text(0));
  Click(*overall, names::kCloseImage);
  EXPECT_FALSE(overall->isVisible());

  ChooseMenuSlot(*viewer, 7);  // nothing unsaved: no question
  EXPECT_FALSE(viewer->isVisible());
  EXPECT_TRUE(TakeMessages().empty());

  ClearMaps(state_->store);
  auto parsed = OpenGame(false);
  EXPECT_FALSE(Child(*parsed, names::kYourStatsBlock)->isVisible());
  Click(*parsed, names::kMenuLabel);
  menu = Child<PopupLines>(*parsed, names::kMenuPopup);
  // A grey slot does nothing and the menu stays.
  test::ClickAt(*menu, PopupLines::LinePoint(0));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "games"));
}

TEST_F(StatsViewerWindowTest, ProfileModeListsTheGamesAndItsMenuRemovesThem) {
  test::CreateSampleProfile(*state_, "Morv",
                            {{"2024-04-26 20:15", "ctf_abbey"}, {"2024-04-28 21:40", "ffa_short"}});
  ASSERT_TRUE(LoadProfile(state_->profile_store, "Morv.mrv", state_->loaded_profile));
  StatsViewerWindow viewer(*state_, ViewerDialogs{}, nullptr);
  viewer.OpenProfile();
  viewer.show();
  EXPECT_FALSE(Child(viewer, names::kMapList)->isVisible());
  EXPECT_EQ(viewer.findChild<QWidget*>(names::kOverallWindow), nullptr);
  EXPECT_EQ(Captions(viewer, names::kGameList).size(), 3u);
  const QString all_kills = Text(viewer, names::kYourStatsLines[0]);
  ClickRow(viewer, names::kGameList, 2);
  EXPECT_NE(Text(viewer, names::kYourStatsLines[0]), all_kills);
  ClickRow(viewer, names::kGameList, 1, Qt::ControlModifier);
  EXPECT_EQ(test::SelectedRows(viewer, names::kGameList), (std::vector<int>{1, 2}));
  EXPECT_EQ(Text(viewer, names::kYourStatsLines[0]), all_kills);

  ClickRow(viewer, names::kGameList, 2);
  ChooseMenuSlot(viewer, 1);
  EXPECT_EQ(Captions(viewer, names::kGameList),
            (std::vector<QString>{"<all games>", "2024-04-28 21:40"}));
  EXPECT_EQ(Text(viewer, names::kGameCount), QStringLiteral("1 game listed"));
  ChooseMenuSlot(viewer, 4);
  EXPECT_FALSE(viewer.isVisible());
  EXPECT_TRUE(boxes_.shown().empty());
}

// The best contrast of a list row's text with its background, as drawn: the text's own
// colour shows in the cores of its letters.
double RowTextContrast(RowList& list, int row) {
  const QImage image = list.stack()->grab().toImage();
  const int top = row * RowList::kRowHeight;
  const QColor background = image.pixelColor(3, top + 2);
  double best = 1;
  for (int y = top + 2; y < top + RowList::kRowHeight - 2; ++y) {
    for (int x = 6; x < image.width() - 26; ++x) {
      best = std::max(best, ContrastRatio(image.pixelColor(x, y), background));
    }
  }
  return best;
}

std::vector<QString> Column(const QTreeWidget& table, int column) {
  std::vector<QString> cells;
  for (int row = 0; row < table.topLevelItemCount(); ++row) {
    cells.push_back(table.topLevelItem(row)->text(column));
  }
  return cells;
}

// With the pointer, as a player does: a map click refills the overall table in the order
// he chose, and the rows he chose read at WCAG AA (4.5:1) whatever their team colour.
TEST_F(StatsViewerWindowTest, MapClicksKeepTheTablesOrderAndChosenRowsReadWell) {
  auto viewer = OpenGame();
  Click(*viewer, names::kMenuLabel);
  test::ClickAt(*Child(*viewer, names::kMenuPopup), PopupLines::LinePoint(4));
  auto* table = Child<QTreeWidget>(*viewer, names::kOverallList);
  ASSERT_TRUE(table->isVisible());
  QHeaderView* header = table->header();
  test::ClickAt(*header->viewport(), QPoint(header->sectionViewportPosition(1) + 10, 5));
  const std::vector<QString> most_kills_first = Column(*table, 0);
  const std::vector<QString> kills = Column(*table, 1);
  EXPECT_TRUE(std::is_sorted(kills.rbegin(), kills.rend(),
                             [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); }));
  auto* maps = Child<RowList>(*viewer, names::kMapList);
  test::ClickAt(*maps->stack(), RowList::RowPoint(0));
  EXPECT_EQ(Column(*table, 0), most_kills_first);
  // Its arrow points down: the figures go down the table.
  EXPECT_EQ(table->headerItem()->icon(1).pixmap(9, 9).toImage(),
            QPixmap(art::kSortDescending).toImage());

  // A blue and a red player chosen, and "all maps" (dark blue on its grey).
  const PlayerList& list = viewer->document().players();
  auto first_of = [&list](TeamMark mark) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [mark](const PlayerEntry& entry) { return entry.mark == mark; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
  };
  const int blue = first_of(TeamMark::kBlue);
  const int red = first_of(TeamMark::kRed);
  ASSERT_GE(blue, 0);
  ASSERT_GE(red, 0);
  auto* players = Child<RowList>(*viewer, names::kPlayerList);
  test::ClickAt(*players->stack(), RowList::RowPoint(blue));
  test::ClickAt(*players->stack(), RowList::RowPoint(red), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(test::SelectedRows(*viewer, names::kPlayerList), (std::vector<int>{blue, red}));
  EXPECT_GE(RowTextContrast(*players, blue), 4.5);
  EXPECT_GE(RowTextContrast(*players, red), 4.5);  // under the pointer
  EXPECT_GE(RowTextContrast(*maps, 0), 4.5);
}

// A log parsed without a profile has no deciding hits: the panel says why it is empty.
TEST_F(StatsViewerWindowTest, TheDecidingHitsToggleSaysWhyALogShowsNone) {
  test::LoadMonitoredSample(*state_, "ts_two_maps");
  for (const auto& map : state_->store.maps) map->killing_hits = {};
  StatsViewerWindow viewer(*state_, ViewerDialogs{}, nullptr);
  viewer.OpenGame({.monitor = false, .last_game = {}});
  viewer.show();
  auto* note = Child<QLabel>(viewer, names::kHitsNote);
  EXPECT_FALSE(note->isVisible());
  Click(viewer, names::kDecidingHitsToggle);
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), QString::fromLatin1(kNoDecidingHitsInALog));
  Click(viewer, names::kDecidingHitsToggle);
  EXPECT_FALSE(note->isVisible());
}

// What the popup and the close image ask is the document's (tests/views); here the
// popup must open on a map row only, and the window must honour the answers.
TEST_F(StatsViewerWindowTest, MapPopupAndTheCloseQuery) {
  auto viewer = OpenGame();
  auto* popup = Child<PopupLines>(*viewer, names::kMapPopup);
  RightPressMap(*viewer, 0);
  EXPECT_FALSE(popup->isVisible());  // never on "all maps"
  RightPressMap(*viewer, 1);
  ASSERT_TRUE(popup->isVisible());

  boxes_.SetNextAnswer(true, QStringLiteral("ut4_turnpike_b1"));
  ChooseMapPopupLine(*viewer, 1);
  EXPECT_FALSE(popup->isVisible());
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].input_text, QStringLiteral("ut4_turnpike"));
  EXPECT_EQ(Captions(*viewer, names::kMapList)[1], QStringLiteral("ut4_turnpike_b1"));
  boxes_.SetNextAnswer(true);
  RightPressMap(*viewer, 2);
  ChooseMapPopupLine(*viewer, 0);
  EXPECT_EQ(Captions(*viewer, names::kMapList),
            (std::vector<QString>{"all maps", "ut4_turnpike_b1"}));
  TakeMessages();

  // Unsaved: the close image asks, and Cancel keeps the viewer.
  Click(*viewer, names::kCloseImage);
  EXPECT_EQ(TakeMessages().size(), 1u);
  EXPECT_TRUE(viewer->isVisible());

  // OK closes, with the profile let go and the viewer's place in stats.ini.
  ASSERT_TRUE(state_->profile_store.CreateProfileFile("Morv.mrv", "Morv", {}));
  ASSERT_TRUE(LoadProfile(state_->profile_store, "Morv.mrv", state_->loaded_profile));
  viewer->move(150, 120);
  boxes_.SetNextAnswer(true);
  viewer->close();
  EXPECT_EQ(TakeMessages().size(), 1u);
  EXPECT_FALSE(viewer->isVisible());
  EXPECT_FALSE(state_->profile_store.Active());
  IniFile ini;
  ASSERT_TRUE(ini.Load(dir_ / "stats.ini"));
  EXPECT_EQ(ini.ReadInteger("window", "left", 0), 150);
  EXPECT_EQ(ini.ReadInteger("window", "top", 0), 120);
}

// The viewer grows: the lists and the weapon grids take the room, the body map keeps its
// size, it is never smaller than at first, and stats.ini keeps its size.
TEST_F(StatsViewerWindowTest, GrowsMaximisesAndKeepsItsSizeInStatsIni) {
  auto viewer = OpenGame(false);
  EXPECT_EQ(viewer->size(), StatsViewerWindow::kSize);
  ClickRow(*viewer, names::kPlayerList, 0);  // the weapon grids show
  const auto size_of = [&viewer](const char* name) { return Child(*viewer, name)->size(); };
  const QSize players = size_of(names::kPlayerList);
  const QSize maps = size_of(names::kMapList);
  const QSize kills = size_of(names::kKillsGrid);
  const QSize body = size_of(names::kBodyMap);

  viewer->resize(1280, 800);
  EXPECT_GT(size_of(names::kPlayerList).height(), players.height() + 100);
  EXPECT_GT(size_of(names::kPlayerList).width(), players.width());
  EXPECT_GT(size_of(names::kMapList).height(), maps.height());
  EXPECT_GT(size_of(names::kKillsGrid).width(), kills.width() + 100);
  EXPECT_GT(size_of(names::kKillsGrid).height(), kills.height() + 100);
  EXPECT_EQ(size_of(names::kBodyMap), body);
  const QWidget* grown = Child(*viewer, names::kKillsGrid);
  EXPECT_LT(grown->mapTo(viewer.get(), QPoint(grown->width() - 1, 0)).x(), viewer->width());

  // The maximise image and back; the smallest size is the first one.
  Click(*viewer, names::kMaximiseImage);
  EXPECT_TRUE(viewer->isMaximized());
  Click(*viewer, names::kMaximiseImage);
  EXPECT_FALSE(viewer->isMaximized());
  viewer->resize(300, 200);
  EXPECT_EQ(viewer->size(), StatsViewerWindow::kSize);

  viewer->resize(1000, 700);
  boxes_.SetNextAnswer(true);
  viewer->close();
  ASSERT_FALSE(viewer->isVisible());
  IniFile ini;
  ASSERT_TRUE(ini.Load(dir_ / "stats.ini"));
  EXPECT_EQ(ini.ReadInteger("window", "width", 0), 1000);
  EXPECT_EQ(ini.ReadInteger("window", "height", 0), 700);
  // Opened again at that size, within the screen.
  const QSize screen = viewer->screen()->availableGeometry().size();
  EXPECT_EQ(OpenGame(false)->size(),
            QSize(1000, 700).boundedTo(screen).expandedTo(StatsViewerWindow::kSize));
}

TEST_F(StatsViewerWindowTest, TheTablesKeepTheirGeometryInStatsIni) {
  IniFile ini;
  ASSERT_TRUE(ini.Load(dir_ / "stats.ini"));
  // Figures no screen can hold: the table stays within reach and small enough to draw.
  ini.WriteInteger("allwindow", "left", -99999);
  ini.WriteInteger("allwindow", "width", 2147483647);
  ini.WriteInteger("allwindow", "height", -5);
  ASSERT_TRUE(ini.Save());
  auto viewer = OpenGame();
  auto* overall = Child(*viewer, names::kOverallWindow);
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(overall->width(), screen.width());
  EXPECT_EQ(overall->height(), 100);
  EXPECT_GT(overall->x() + overall->width(), screen.left());

  overall->setGeometry(40, 50, 500, 300);
  ChooseMenuSlot(*viewer, 7);
  ASSERT_TRUE(ini.Load(dir_ / "stats.ini"));
  EXPECT_EQ(ini.ReadInteger("allwindow", "left", 0), 40);
  EXPECT_EQ(ini.ReadInteger("allwindow", "top", 0), 50);
  EXPECT_EQ(ini.ReadInteger("allwindow", "width", 0), 500);
  EXPECT_EQ(ini.ReadInteger("allwindow", "height", 0), 300);
}

TEST_F(StatsViewerWindowTest, CompareShowsTheFirstTwoSelectedPlayersAndTheirDetails) {
  auto viewer = OpenGame();
  const std::vector<QString> players = Captions(*viewer, names::kPlayerList);
  ClickRow(*viewer, names::kPlayerList, 2);
  ClickRow(*viewer, names::kPlayerList, 3, Qt::ControlModifier);
  ClickRow(*viewer, names::kPlayerList, 5, Qt::ControlModifier);
  ChooseMenuSlot(*viewer, 6);
  auto* one_on_one = Child(*viewer, "OneOnOneWindow");
  ASSERT_TRUE(one_on_one->isVisible());
  EXPECT_EQ(Text(*one_on_one, names::OnSide(names::kPlayerNickname, 0)), players[2]);
  EXPECT_EQ(Text(*one_on_one, names::OnSide(names::kPlayerNickname, 1)), players[3]);

  // Its details: the left player's kills, with the right player's row chosen.
  Click(*one_on_one, names::OnSide(names::kKillsDetailsButton, 0));
  auto* details = Child(*viewer, names::kWeaponDetailsWindow);
  ASSERT_TRUE(details->isVisible());
  const QList<QTreeWidgetItem*> chosen =
      Child<QTreeWidget>(*details, names::kWeaponDetailsList)->selectedItems();
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen.front()->text(0), players[3]);
  // A map click hides the details.
  ClickRow(*viewer, names::kMapList, 1);
  EXPECT_FALSE(details->isVisible());
}

// From the main window's Load button to the viewer and back, while the window hides.
TEST_F(StatsViewerWindowTest, TheMainWindowOpensASavedGameInTheViewer) {
  ScriptedFileDialogs dialogs;
  ViewerWindowLauncher launcher;
  test::TestCaptureDevices devices;
  MainWindow main(std::move(state_), dialogs, launcher, devices);
  main.show();
  // No last folder yet: Load starts in the saved games' folder.
  const auto games = main.state().data_dir / "games";
  std::filesystem::create_directories(games);
  const QString game = PathText(test::TestDataDir() / "golden" / "ctf_abbey.stg");
  dialogs.SetNextAnswer(game);
  std::vector<QString> maps;
  int players = 0;
  bool main_hidden = false;
  QString save_slot;
  QTimer::singleShot(0, [&] {
    auto* viewer = qobject_cast<StatsViewerWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(viewer, nullptr);
    main_hidden = !main.isVisible();
    maps = Captions(*viewer, names::kMapList);
    players = static_cast<int>(Captions(*viewer, names::kPlayerList).size());
    Click(*viewer, names::kMenuLabel);
    save_slot = Child<PopupLines>(*viewer, names::kMenuPopup)->lines()[0].caption;
    Click(*viewer, names::kCloseImage);
  });
  Click(main, names::kLoadButton);
  ASSERT_EQ(dialogs.asked().size(), 1u);
  EXPECT_EQ(dialogs.asked()[0].location, PathText(games));
  EXPECT_TRUE(main_hidden);
  EXPECT_EQ(maps, (std::vector<QString>{"all maps", "ut4_abbey"}));
  EXPECT_EQ(players, 13);
  EXPECT_EQ(save_slot, QStringLiteral(" Save stats to ctf_abbey.stg"));  // a monitored game
  // After the viewer the store is empty again and the window is back.
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.state().store.empty());
  EXPECT_EQ(main.state().settings.last_dir, DirectoryOf(game));
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(StatsViewerWindowTest, AnUnreadableProfileGivesItsReasonWithoutShowingTheViewer) {
  test::CreateSampleProfile(*state_, "Morv", {{"2024-04-28 21:40", "ffa_short"}});
  ASSERT_TRUE(LoadProfile(state_->profile_store, "Morv.mrv", state_->loaded_profile));
  // Another program damaged its totals meanwhile.
  test::WriteFileBytes(dir_ / "Morv.mrv",
                       "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nMorv\r\n[ENICKNAMES]\r\n"
                       "[TOTALSTATS]\r\nGAMES=2\r\nHITS=x;\r\n[ETOTALSTATS]\r\n[GAMES]\r\n");
  bool shown = false;
  QTimer guard;  // closes a viewer that should not have been shown
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&shown] {
    shown = QApplication::activeModalWidget() != nullptr;
    if (shown) QApplication::activeModalWidget()->close();
  });
  guard.start(0);
  ViewerWindowLauncher launcher;
  EXPECT_EQ(launcher.ShowProfile(*state_, nullptr), "Invalid file!");
  EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace mrv::ui
