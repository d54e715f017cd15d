#include "support/ui_fixtures.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <thread>

#include "files/profile_add_game.h"
#include "files/saved_game.h"
#include "support/capture_harness.h"
#include "support/paths.h"
#include "ui/popup_lines.h"
#include "ui/row_list.h"

namespace mrv::test {

void FillDataDir(const std::filesystem::path& dir) {
  std::string settings = ReadFileBytes(ShippedDir() / "stats.ini");
  const std::string first_start = "initiationcount=0";
  settings.replace(settings.find(first_start), first_start.size(), "initiationcount=1");
  WriteFileBytes(dir / "stats.ini", settings);
  for (const char* name : {"DeathMsgs.txt", "GameTexts.txt"}) {
    std::filesystem::copy_file(ShippedDir() / name, dir / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

std::unique_ptr<ui::ProgramState> StartedState(const std::filesystem::path& dir) {
  Settings settings;
  WeaponTable weapons;
  SilentPrompt prompt;
  if (!LoadSettings(dir, settings, weapons, prompt, {})) return nullptr;
  // The folder is the program's as well, as in a build folder.
  return std::make_unique<ui::ProgramState>(DataFolder{dir, DataFolderSource::kProgramFolder, dir},
                                            std::move(settings), std::move(weapons));
}

void LoadMonitoredSample(ui::ProgramState& state, const std::string& sample) {
  SilentPrompt prompt;
  std::string name;
  EXPECT_TRUE(LoadGame(state.store, TestDataDir() / "golden" / (sample + ".stg"), name, prompt));
  int minutes = 9;
  for (auto& map : state.store.maps) {
    map->own_nick = "Morv";
    map->duration = 60 * (minutes += 3);
    const auto [kills, deaths] = RowFigures(*map, "Morv");
    map->own_kills = static_cast<std::int32_t>(kills);
    map->own_deaths = static_cast<std::int32_t>(deaths);
  }
}

void CreateSampleProfile(ui::ProgramState& state, const std::string& name,
                         const std::vector<SampleGame>& games) {
  SilentPrompt prompt;
  const std::string file = name + ".mrv";
  ASSERT_TRUE(state.profile_store.CreateProfileFile(file, "Morv", {"Sample games"}));
  ASSERT_TRUE(state.profile_store.Open(file));
  for (const SampleGame& game : games) {
    LoadMonitoredSample(state, game.sample);
    EXPECT_TRUE(AddGameToProfile(state.store, game.id, state.profile_store, prompt));
    ClearMaps(state.store);
  }
  state.profile_store.Close();
}

namespace {

// The window `widget` is in, and `local` in the window's coordinates.
QWindow* WindowOf(const QWidget& widget) {
  QWindow* handle = widget.window()->windowHandle();
  EXPECT_NE(handle, nullptr) << "the window is not shown";
  return handle;
}

QPoint InWindow(const QWidget& widget, QPoint local) {
  return widget.mapTo(widget.window(), local);
}

}  // namespace

void ClickAt(const QWidget& widget, QPoint local, Qt::MouseButton button,
             Qt::KeyboardModifiers keys) {
  if (QWindow* window = WindowOf(widget)) {
    QTest::mouseClick(window, button, keys, InWindow(widget, local));
  }
}

void MoveTo(const QWidget& widget, QPoint local) {
  if (QWindow* window = WindowOf(widget)) QTest::mouseMove(window, InWindow(widget, local));
}

void PressKey(const QWidget& window, int key, Qt::KeyboardModifiers keys) {
  if (QWindow* handle = WindowOf(window)) QTest::keyClick(handle, static_cast<Qt::Key>(key), keys);
}

void TypeText(const QWidget& window, const QString& text) {
  QWindow* handle = WindowOf(window);
  for (const QChar letter : text) {
    if (handle == nullptr) return;
    const QChar upper = letter.toUpper();
    const auto key = upper.unicode() < 0x80 ? static_cast<Qt::Key>(upper.unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, handle, key, QString(letter), {});
  }
}

void Click(const QWidget& window, const QString& name) {
  if (QWidget* child = Child(window, name)) ClickAt(*child, child->rect().center());
}

void ClickRow(QWidget& viewer, const QString& list, int row, Qt::KeyboardModifiers keys) {
  auto* rows = viewer.findChild<ui::RowList*>(list);
  ASSERT_NE(rows, nullptr) << list.toStdString();
  ClickAt(*rows->stack(), ui::RowList::RowPoint(row), Qt::LeftButton, keys);
}

std::vector<int> SelectedRows(const QWidget& viewer, const QString& list) {
  std::vector<int> rows;
  const auto& shown = Child<ui::RowList>(viewer, list)->rows();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].selected) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void ChooseMenuSlot(QWidget& viewer, int slot) {
  Click(viewer, ui::names::kMenuLabel);
  auto* menu = viewer.findChild<ui::PopupLines*>(ui::names::kMenuPopup);
  ASSERT_TRUE(menu->isVisible());
  MoveTo(*menu, ui::PopupLines::LinePoint(slot - 1));
  ClickAt(*menu, ui::PopupLines::LinePoint(slot - 1));
}

std::unique_ptr<FakeConsole> PlayedGameConsole() {
  auto console = std::make_unique<FakeConsole>();
  console->text =
      "8 crosshairs parsed\r\nCL_InitCGame:  2.05 seconds\r\nCom_TouchMemory: 0 msec\r\n"
      "\"mapname\" is:\"ut4_abbey\" default:\"nomap\"\r\n"
      "\"name\" is:\"Morv\" default:\"UnnamedPlayer\"\r\n"
      "Morv joined the red team.\r\nSome Player joined the blue team.\r\n"
      "You hit Some Player in the Head.\r\nYou hit Some Player in the Torso.\r\n"
      "Some Player got a lead enema from Morv's retro M4.\r\n"
      "Morv was torn asunder by Some Player's crass AK103.\r\n";
  console->on_wait = [](std::chrono::milliseconds timeout) { std::this_thread::sleep_for(timeout); };
  return console;
}

std::unique_ptr<ui::MainWindow> ShownMainWindow(const std::filesystem::path& dir,
                                           const std::array<std::string, kRecentFileCount>& recent,
                                           ui::FileDialogs& dialogs, ui::ViewerLauncher& viewer,
                                           ui::CaptureDevices& devices) {
  auto state = StartedState(dir);
  state->settings.recent_files = recent;
  auto main = std::make_unique<ui::MainWindow>(std::move(state), dialogs, viewer, devices);
  main->show();
  return main;
}

void RecordingViewer::ShowGame(ui::ProgramState& state, const ui::ViewerOpening& opening,
                               QWidget* parent) {
  opened.push_back({opening, state.store.size(), parent != nullptr && parent->isVisible()});
  if (inspect) inspect(state);
}

std::string RecordingViewer::ShowProfile(ui::ProgramState& state, QWidget*) {
  profiles_shown.push_back(state.loaded_profile ? state.loaded_profile->name : std::string());
  return profile_error;
}

}  // namespace mrv::test
