#include "support/ui_fixtures.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <thread>

#include "files/profile_add_game.h"
#include "files/saved_game.h"
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
    // What the capture counts as his kills and deaths (suicides are deaths).
    const int own = NickIndex(*map, "Morv");
    for (int other = 0; own >= 0 && other < map->nick_count(); ++other) {
      for (int weapon = 0; weapon < map->weapon_count; ++weapon) {
        if (other != own) map->own_kills += map->kills(own, weapon, other);
        map->own_deaths += map->kills(other, weapon, own);
      }
    }
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

void Click(const QWidget& window, const QString& name) {
  QTest::mouseClick(Child(window, name), Qt::LeftButton);
}

void ClickRow(QWidget& viewer, const QString& list, int row, Qt::KeyboardModifiers keys) {
  auto* rows = viewer.findChild<ui::RowList*>(list);
  ASSERT_NE(rows, nullptr) << list.toStdString();
  QTest::mouseClick(rows->stack(), Qt::LeftButton, keys, ui::RowList::RowPoint(row));
}

void ChooseMenuSlot(QWidget& viewer, int slot) {
  QTest::mouseClick(viewer.findChild<QWidget*>(ui::names::kMenuLabel), Qt::LeftButton);
  auto* menu = viewer.findChild<ui::PopupLines*>(ui::names::kMenuPopup);
  ASSERT_TRUE(menu->isVisible());
  QTest::mouseMove(menu, ui::PopupLines::LinePoint(slot - 1));
  QTest::mouseClick(menu, Qt::LeftButton, {}, ui::PopupLines::LinePoint(slot - 1));
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
