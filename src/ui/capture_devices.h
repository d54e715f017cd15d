// What a capture of the parse and monitor dialog runs on: the clock of its waits, the
// sound output and the game's console. The program makes one DesktopCaptureDevices in
// main and lends it to every dialog; tests give quick pauses or a clock they watch.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "capture/console/game_console.h"
#include "capture/platform.h"
#include "ui/qt_sound_player.h"

namespace mrv::ui {

class CaptureDevices {
 public:
  virtual ~CaptureDevices() = default;
  virtual Clock& clock() = 0;
  virtual SoundPlayer& sound() = 0;
  // The console that section Monitor of stats.ini chooses; null, with the reason in
  // `error`, when this system cannot give it.
  virtual std::unique_ptr<GameConsole> OpenConsole(const std::filesystem::path& data_dir,
                                                   std::string& error);
};

// The system's clock and Qt Multimedia; made once the application exists.
class DesktopCaptureDevices final : public CaptureDevices {
 public:
  Clock& clock() override { return clock_; }
  SoundPlayer& sound() override { return sound_; }

 private:
  SystemClock clock_;
  QtSoundPlayer sound_;
};

}  // namespace mrv::ui
