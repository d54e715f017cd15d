// The console monitor's options as section "Monitor" of the settings file keeps them,
// and the choice of the live console backend and the game's program stored beside them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace mrv {

// Field defaults are the values used when the settings file lacks a key.
struct MonitorOptions {
  static constexpr std::int32_t kMinPeriod = 30;
  static constexpr std::int32_t kMaxPeriod = 999;

  bool headshot_sound = true;
  bool minimize = true;
  // Frag stats.
  bool cyclic = false;
  std::int32_t time = 60;  // seconds between cyclic displays
  bool onfrag = false;
  bool ondeath = false;
  bool random = true;
  // Hit stats.
  bool cyclich = false;
  std::int32_t timeh = 60;
  bool onfragh = false;
  bool ondeathh = false;
  bool randomh = true;

  bool operator==(const MonitorOptions&) const = default;
};

// Reads the twelve keys, missing ones at their defaults, the two periods brought
// within 30 to 999. False, with the options untouched, when the file is missing or
// unreadable.
bool LoadMonitorOptions(const std::filesystem::path& data_dir, MonitorOptions& options);
// Writes the twelve keys; false, with nothing written, when the file is missing.
bool SaveMonitorOptions(const std::filesystem::path& data_dir, const MonitorOptions& options);

enum class ConsoleBackend {
  kBridge,  // the game started through the console bridge
  kLog,     // following the game's console log, read-only
  kWindow,  // the game's own console window (Windows)
};

struct ConsoleChoice {
  ConsoleBackend backend;
  std::string log_path;  // the log that kLog follows; empty when not set
};

// Key "GamePath": the game's program, which the desktop program starts under the console
// bridge; empty when it is not set or the file is missing.
std::string ReadGamePath(const std::filesystem::path& data_dir);
// False, with nothing written, when the file is missing or cannot hold the path.
bool SaveGamePath(const std::filesystem::path& data_dir, const std::string& game_path);

ConsoleBackend DefaultConsoleBackend();
// Keys "Console" (bridge, log or window, any case) and "ConsoleLog"; a missing file, a
// missing key or an unknown value gives the default.
ConsoleChoice ReadConsoleChoice(const std::filesystem::path& data_dir);

}  // namespace mrv
