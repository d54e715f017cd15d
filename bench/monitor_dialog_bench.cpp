// The console monitor's cost and reaction time as the desktop program runs it: the
// capture dialog shown, its capture on the worker thread, against the real bridge
// running the scripted fake game (see monitor_bench_support.h). The CPU counted is the
// whole program's, GUI thread included, less the benchmark's own typing thread.
//
// Build it with the bridge and the fake game, and run it offscreen:
//   cmake --build BUILD --target monitor_dialog_bench morvane-console morvane-fake-game
//   QT_QPA_PLATFORM=offscreen BUILD/bin/monitor_dialog_bench
#include <QApplication>
#include <QCheckBox>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "files/capture_options.h"
#include "files/prompt.h"
#include "files/settings.h"
#include "monitor_bench_support.h"
#include "ui/capture_devices.h"
#include "ui/capture_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/program_state.h"
#include "ui/theme.h"

namespace {

namespace fs = std::filesystem;
namespace bench = mrv::bench;
namespace names = mrv::ui::names;

// The system's clock, the hit-noting sound and the bridge of the benchmark's game.
class BenchDevices final : public mrv::ui::CaptureDevices {
 public:
  explicit BenchDevices(fs::path socket) : socket_(std::move(socket)) {}
  mrv::Clock& clock() override { return clock_; }
  mrv::SoundPlayer& sound() override { return sound_; }
  std::unique_ptr<mrv::GameConsole> OpenConsole(const fs::path&, std::string&) override {
    return std::make_unique<mrv::BridgeConsole>(socket_);
  }
  bench::HitClock& hits() { return sound_; }

 private:
  fs::path socket_;
  mrv::SystemClock clock_;
  bench::HitClock sound_;
};

// A program folder of its own, so that the settings beside the benchmark stay as they
// are; no random announcements, so that every typed line is a hit.
std::unique_ptr<mrv::ui::ProgramState> StartedState(const fs::path& programs,
                                                    const fs::path& folder) {
  for (const char* file : {"stats.ini", "DeathMsgs.txt"}) {
    fs::copy_file(programs / file, folder / file, fs::copy_options::overwrite_existing);
  }
  mrv::CaptureOptions options;
  options.frag_announcements = options.streak_announcements = false;
  mrv::Settings settings;
  mrv::WeaponTable weapons;
  mrv::SilentPrompt prompt;
  if (!mrv::SaveCaptureOptions(folder, options) ||
      !mrv::LoadSettings(folder, settings, weapons, prompt, {})) {
    return nullptr;
  }
  return std::make_unique<mrv::ui::ProgramState>(
      mrv::DataFolder{folder, mrv::DataFolderSource::kOption, programs}, std::move(settings),
      std::move(weapons));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  mrv::ui::ApplyTheme(app);
  const fs::path programs = bench::ProgramFolder();
  if (!bench::HelpersPresent(programs)) return 1;
  const fs::path folder = bench::MakeScratchFolder();
  if (folder.empty()) return 1;

  int status = 1;
  {
    auto state = StartedState(programs, folder);
    bench::BridgedGame game(programs, folder);
    mrv::BridgeConsole player(game.socket());
    if (state == nullptr || !game.Connect(player)) {
      std::fprintf(stderr,
                   "monitor_dialog_bench: the program folder, the bridge or the game "
                   "could not be made ready\n");
    } else {
      BenchDevices devices(game.socket());
      mrv::ui::ScriptedFileDialogs no_dialogs;
      mrv::ui::CaptureDialog dialog(*state, devices, no_dialogs);
      dialog.show();
      // In sight all along: the dearest case for the GUI thread.
      dialog.findChild<QCheckBox*>(names::kMinimizeToTrayBox)->setChecked(false);
      auto* ok = dialog.findChild<mrv::ui::ImageButton*>(names::kOkButton);
      emit ok->clicked();
      std::thread player_thread([&] {
        const clockid_t own = CLOCK_THREAD_CPUTIME_ID;
        status = bench::MeasureMonitor(
            "capture dialog, worker and GUI threads, bridge and fake game", player, devices.hits(),
            [own] { return bench::ProcessCpuSeconds() - bench::ThreadCpuSeconds(own); },
            [ok] {
              QMetaObject::invokeMethod(ok, &mrv::ui::ImageButton::click, Qt::QueuedConnection);
            });
      });
      QObject::connect(&dialog, &mrv::ui::CaptureDialog::ended, &app, &QApplication::quit);
      QApplication::exec();
      player_thread.join();
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
