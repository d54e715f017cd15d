// What desktop tests and the screenshot program share: a program folder to start from,
// a stats viewer that records how it was opened and capture devices without sound.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <Qt>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/paths.h"
#include "ui/capture_devices.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_launcher.h"

namespace mrv::test {

// Copies the shipped stats.ini (past its first start) and DeathMsgs.txt into `dir`.
void FillDataDir(const std::filesystem::path& dir);

// The state a start in a filled program folder gives; null when its settings are unusable.
std::unique_ptr<ui::ProgramState> StartedState(const std::filesystem::path& dir);

// Reads tests/data/golden/<sample>.stg into the current store as a live capture of the
// player Morv would have it: his nickname and some minutes on every map.
void LoadMonitoredSample(ui::ProgramState& state, const std::string& sample);

// Creates the profile <name>.mrv for Morv in the program folder and adds each sample
// as one game under its id (as the viewer's "Add game to profile" does), leaving the
// store empty and no profile open.
struct SampleGame {
  std::string id;
  std::string sample;
};
void CreateSampleProfile(ui::ProgramState& state, const std::string& name,
                         const std::vector<SampleGame>& games);

// A test over a started program folder of its own; its boxes are scripted, so that no
// test blocks on one.
class StartedProgramTest : public ::testing::Test {
 protected:
  explicit StartedProgramTest(const std::string& name) : dir_(name) {
    FillDataDir(dir_.path());
    state_ = StartedState(dir_.path());
  }
  ScratchDir dir_;
  std::unique_ptr<ui::ProgramState> state_;
  ui::ScriptedBoxes boxes_;
};

// The child widget of type T named `name` (object_names.h); a test fails when there is
// none.
template <typename T = QWidget>
T* Child(const QWidget& window, const QString& name) {
  auto* found = window.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name.toStdString();
  return found;
}
// Input as the platform gives it: sent to the window (the QWindow) at a point of
// `widget`, a mouse event reaches whatever widget is under the pointer there, and a key
// reaches the window's focused widget, through its shortcuts. Tests drive widgets only
// this way, never by sending events to the widget they expect to react.
void ClickAt(const QWidget& widget, QPoint local, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers keys = {});
void MoveTo(const QWidget& widget, QPoint local);
// Keys typed into `window` (any widget of it names it).
void PressKey(const QWidget& window, int key, Qt::KeyboardModifiers keys = {});
void TypeText(const QWidget& window, const QString& text);
// A left click in the middle of the child widget named `name`.
void Click(const QWidget& window, const QString& name);

// Driving the stats viewer's window as a player does: a left click on a row of one of
// its lists (names::kMapList, kPlayerList, kGameList), and a menu slot (1 to 7) chosen
// from the menu that its menu label opens.
void ClickRow(QWidget& viewer, const QString& list, int row, Qt::KeyboardModifiers keys = {});
void ChooseMenuSlot(QWidget& viewer, int slot);
// The rows shown selected in one of those lists.
std::vector<int> SelectedRows(const QWidget& viewer, const QString& list);

// Runs `act` on the modal dialog of type Dialog that an exec() about to come shows;
// looks again every 10 ms for a while, since what leads there may process events first.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act, int tries = 500) {
  QTimer::singleShot(10, [act = std::move(act), tries]() mutable {
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
      act(*dialog);
    } else if (tries > 0) {
      WhenShown<Dialog>(std::move(act), tries - 1);
    } else {
      ADD_FAILURE() << "the dialog was never shown";
    }
  });
}

// The main window, shown, over a filled program folder whose recent files are `recent`.
std::unique_ptr<ui::MainWindow> ShownMainWindow(const std::filesystem::path& dir,
                                           const std::array<std::string, kRecentFileCount>& recent,
                                           ui::FileDialogs& dialogs, ui::ViewerLauncher& viewer,
                                           ui::CaptureDevices& devices);

class RecordingViewer final : public ui::ViewerLauncher {
 public:
  struct Opened {
    ui::ViewerOpening opening;
    int maps = 0;                 // in the current store while the viewer ran
    bool parent_visible = false;  // the window that opened it
  };
  void ShowGame(ui::ProgramState& state, const ui::ViewerOpening& opening,
                QWidget* parent) override;
  // Records the loaded profile's name (empty when none) and returns `profile_error`.
  std::string ShowProfile(ui::ProgramState& state, QWidget* parent) override;

  std::vector<Opened> opened;
  std::vector<std::string> profiles_shown;
  std::string profile_error;
  // Looks at the state while the viewer is open, when set.
  std::function<void(const ui::ProgramState&)> inspect;
};

// A console on which a game has just been played a little, all printed at once: the game
// named the map ut4_abbey and the player Morv, who hit Some Player twice, killed him once
// and was killed by him once. It waits for a change as a quiet console does.
std::unique_ptr<FakeConsole> PlayedGameConsole();

// The capture devices of desktop tests: real time with quick pauses unless a test gives
// its own clock, a recording sound output, and the console a test gives (once) or else
// the one stats.ini chooses (for the bridge, the socket in XDG_RUNTIME_DIR, which a test
// points at its scratch folder).
class TestCaptureDevices final : public ui::CaptureDevices {
 public:
  Clock& clock() override { return clock_ != nullptr ? *clock_ : quick_; }
  SoundPlayer& sound() override { return sound_; }
  std::unique_ptr<GameConsole> OpenConsole(const std::filesystem::path& data_dir,
                                           std::string& error) override {
    if (console_ != nullptr) return std::move(console_);
    return CaptureDevices::OpenConsole(data_dir, error);
  }
  void UseClock(Clock& clock) { clock_ = &clock; }
  void UseConsole(std::unique_ptr<GameConsole> console) { console_ = std::move(console); }

 private:
  QuickPauseClock quick_;
  Clock* clock_ = nullptr;
  FakeSound sound_;
  std::unique_ptr<GameConsole> console_;
};

}  // namespace mrv::test
