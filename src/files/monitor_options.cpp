#include "files/monitor_options.h"

#include <algorithm>
#include <type_traits>

#include "files/ini_file.h"
#include "files/settings.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr const char* kSection = "Monitor";

// The twelve keys in the order they are read and written.
template <typename Options, typename Visit>
void ForEachKey(Options& options, Visit&& visit) {
  visit("Headshotsound", options.headshot_sound);
  visit("Minimize", options.minimize);
  visit("cyclic", options.cyclic);
  visit("time", options.time);
  visit("onfrag", options.onfrag);
  visit("ondeath", options.ondeath);
  visit("random", options.random);
  visit("cyclich", options.cyclich);
  visit("timeh", options.timeh);
  visit("onfragh", options.onfragh);
  visit("ondeathh", options.ondeathh);
  visit("randomh", options.randomh);
}

std::int32_t ClampPeriod(std::int32_t seconds) {
  return std::clamp(seconds, MonitorOptions::kMinPeriod, MonitorOptions::kMaxPeriod);
}

}  // namespace

bool LoadMonitorOptions(const std::filesystem::path& data_dir, MonitorOptions& options) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  MonitorOptions read;  // starts at the defaults of missing keys
  ForEachKey(read, [&](const char* key, auto& field) {
    if constexpr (std::is_same_v<std::remove_reference_t<decltype(field)>, bool>) {
      field = ini.ReadBool(kSection, key, field);
    } else {
      field = ini.ReadInteger(kSection, key, field);
    }
  });
  read.time = ClampPeriod(read.time);
  read.timeh = ClampPeriod(read.timeh);
  options = read;
  return true;
}

bool SaveMonitorOptions(const std::filesystem::path& data_dir, const MonitorOptions& options) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  ForEachKey(options, [&](const char* key, const auto& field) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>) {
      ini.WriteBool(kSection, key, field);
    } else {
      ini.WriteInteger(kSection, key, field);
    }
  });
  return ini.Save();
}

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

ConsoleBackend DefaultConsoleBackend() {
#ifdef _WIN32
  return ConsoleBackend::kWindow;
#else
  return ConsoleBackend::kBridge;
#endif
}

ConsoleChoice ReadConsoleChoice(const std::filesystem::path& data_dir) {
  ConsoleChoice choice{DefaultConsoleBackend(), {}};
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
  return choice;
}

}  // namespace mrv
