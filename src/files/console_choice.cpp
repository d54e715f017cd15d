#include "files/console_choice.h"

#include "files/ini_file.h"
#include "files/platform_folders.h"
#include "files/settings.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr const char* kSection = "Monitor";

}  // namespace

std::string ReadGamePath(const std::filesystem::path& data_dir) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return {};
  return ini.ReadString(kSection, "GamePath", "");
}

bool SaveGamePath(const std::filesystem::path& data_dir, const std::string& game_path) {
  IniFile ini;
  return ini.Load(SettingsPath(data_dir)) && ini.WriteString(kSection, "GamePath", game_path) &&
         ini.Save();
}

std::string GameProgramProblem(const std::filesystem::path& program) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(program, error);
  if (program.empty() || !fs::exists(status)) return "is missing";
#ifdef _WIN32
  const bool runnable = EqualsIgnoreCase(program.extension().string(), ".exe");
#else
  constexpr fs::perms kAnyExec = fs::perms::owner_exec | fs::perms::group_exec |
                                 fs::perms::others_exec;
  const bool runnable = (status.permissions() & kAnyExec) != fs::perms::none;
#endif
  if (!fs::is_regular_file(status) || !runnable) return "is not a program that can be started";
  return {};
}

ConsoleBackend DefaultConsoleBackend() {
#ifdef _WIN32
  return ConsoleBackend::kWindow;
#else
  return ConsoleBackend::kBridge;
#endif
}

std::string DefaultConsoleLog() {
  const std::filesystem::path game = GameFolder();
  return game.empty() ? std::string() : (game / "qconsole.log").string();
}

ConsoleChoice ReadConsoleChoice(const std::filesystem::path& data_dir) {
  ConsoleChoice choice{DefaultConsoleBackend(), DefaultConsoleLog(), {}};
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return choice;
  const std::string backend = ini.ReadString(kSection, "Console", "");
  if (EqualsIgnoreCase(backend, "bridge")) {
    choice.backend = ConsoleBackend::kBridge;
  } else if (EqualsIgnoreCase(backend, "log")) {
    choice.backend = ConsoleBackend::kLog;
  } else if (EqualsIgnoreCase(backend, "window")) {
    choice.backend = ConsoleBackend::kWindow;
  }
  choice.log_path = ini.ReadString(kSection, "ConsoleLog", "");
  if (choice.log_path.empty()) choice.log_path = DefaultConsoleLog();
  choice.bridge_socket = ini.ReadString(kSection, "BridgeSocket", "");
  return choice;
}

}  // namespace mrv
