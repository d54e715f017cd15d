#include "ui/capture_devices.h"

#include "capture/console/configured_console.h"

namespace mrv::ui {

std::unique_ptr<GameConsole> CaptureDevices::OpenConsole(const std::filesystem::path& data_dir,
                                                         std::string& error) {
  return OpenConfiguredConsole(ReadConsoleChoice(data_dir), error);
}

}  // namespace mrv::ui
