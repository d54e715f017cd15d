// Feeds arbitrary bytes to the settings readers as stats.ini, and checks that the INI
// layer gives every byte back and reads back what it wrote.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "files/ini_file.h"
#include "files/capture_options.h"
#include "files/console_choice.h"
#include "files/settings.h"
#include "fuzz_support.h"

namespace {

const std::filesystem::path& ProgramDir() {
  static const mrv::fuzz::ScratchFolder folder("settings");
  return folder.path();
}

void CheckIniRoundTrip(const std::string& text) {
  mrv::IniFile ini;
  ini.Parse(text);
  if (ini.Text() != text) __builtin_trap();
  if (ini.WriteInteger("Monitor", "time", 77) && ini.ReadInteger("monitor", "TIME", 0) != 77) {
    __builtin_trap();
  }
  if (ini.WriteString("program", "LastDir", "C:\\x") &&
      ini.ReadString("Program", "lastdir", "") != "C:\\x") {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckIniRoundTrip(text);

  const auto& dir = ProgramDir();
  mrv::fuzz::WriteFile(mrv::SettingsPath(dir), text);
  mrv::SilentPrompt prompt;
  mrv::Settings settings;
  mrv::WeaponTable weapons;
  mrv::LoadSettings(dir, settings, weapons, prompt, [] {});
  mrv::ReadWeaponSettings(dir, weapons, prompt);
  mrv::RefreshRecentLabels(settings.recent_files);
  mrv::CaptureOptions options;
  mrv::LoadCaptureOptions(dir, options);
  mrv::SaveCaptureOptions(dir, options);
  mrv::ReadConsoleChoice(dir);
  if (const auto geometry = mrv::ReadViewerGeometry(dir))
    mrv::SaveSettings(dir, settings, *geometry);
  return 0;
}
