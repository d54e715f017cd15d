#include "files/settings.h"

#include <vector>

#include "files/ini_file.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr const char* kProgram = "program";
constexpr char kPlatformSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string RecentFileKey(int index) {
  return "file" + std::to_string(index + 1);
}

enum class WeaponListResult { kValid, kUnusable, kDuplicate };

// Builds the table from the stored list "aKnife;bPistol;...". Entries appended before
// a failure stay in the table.
WeaponListResult FillWeaponTable(std::string list, WeaponTable& weapons) {
  if (list.empty()) return WeaponListResult::kUnusable;
  weapons = WeaponTable();
  if (list.back() != ';') list += ';';
  std::string item;
  while (!list.empty()) {
    SplitToken(list, ';', item);
    if (item.size() < 2) return WeaponListResult::kUnusable;
    if (weapons.FindWeaponByCode(item[0]) >= 0 ||
        weapons.FindWeaponByName(std::string_view(item).substr(1)) >= 0) {
      return WeaponListResult::kDuplicate;
    }
    weapons.Append(std::move(item));
  }
  return WeaponListResult::kValid;
}

bool ReadWeaponTable(const IniFile& ini, WeaponTable& weapons, Prompt& prompt) {
  const auto result = FillWeaponTable(ini.ReadString("data", "weapons", ""), weapons);
  if (result == WeaponListResult::kDuplicate) prompt.Error(kDuplicateWeaponMessage, kErrorCaption);
  return result == WeaponListResult::kValid;
}

WindowGeometry ReadGeometry(const IniFile& ini, const char* section) {
  WindowGeometry geometry;
  geometry.top = ini.ReadInteger(section, "top", 0);
  geometry.left = ini.ReadInteger(section, "left", 0);
  geometry.width = ini.ReadInteger(section, "width", 0);
  geometry.height = ini.ReadInteger(section, "height", 0);
  return geometry;
}

void WriteGeometry(IniFile& ini, const char* section, const WindowGeometry& geometry) {
  ini.WriteInteger(section, "top", geometry.top);
  ini.WriteInteger(section, "left", geometry.left);
  ini.WriteInteger(section, "width", geometry.width);
  ini.WriteInteger(section, "height", geometry.height);
}

}  // namespace

std::filesystem::path SettingsPath(const std::filesystem::path& data_dir) {
  return data_dir / kSettingsFileName;
}

bool LoadSettings(const std::filesystem::path& data_dir, Settings& settings,
                  WeaponTable& weapons, Prompt& prompt, const std::function<void()>& show_about) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  for (int i = 0; i < kRecentFileCount; ++i) {
    settings.recent_files[static_cast<std::size_t>(i)] =
        ini.ReadString(kProgram, RecentFileKey(i), "");
  }
  settings.last_dir = ini.ReadString(kProgram, "LastDir", "");
  settings.save_last_dir = ini.ReadString(kProgram, "SaveLastDir", "");

  // Counted before the weapons are examined, so that a start that fails counts too.
  const std::int32_t starts = ini.ReadInteger(kProgram, "initiationcount", 0);
  if (starts == 0 && show_about) show_about();
  ini.WriteInteger("Program", "InitiationCount", SaturatingAdd(starts, 1));
  // A settings file that cannot be written still lets the program start.
  settings.writable = ini.Save();

  return ReadWeaponTable(ini, weapons, prompt);
}

bool ReadWeaponSettings(const std::filesystem::path& data_dir, WeaponTable& weapons,
                        Prompt& prompt) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  return ReadWeaponTable(ini, weapons, prompt);
}

bool SaveSettings(const std::filesystem::path& data_dir, const Settings& settings,
                  const ViewerGeometry& geometry) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  // A text the file cannot hold (a path with a line break) keeps its stored value.
  for (int i = 0; i < kRecentFileCount; ++i) {
    ini.WriteString(kProgram, RecentFileKey(i), settings.recent_files[static_cast<std::size_t>(i)]);
  }
  ini.WriteString(kProgram, "LastDir", settings.last_dir);
  ini.WriteString(kProgram, "SaveLastDir", settings.save_last_dir);
  WriteGeometry(ini, "window", geometry.viewer);
  ini.WriteInteger("window", "maximized", geometry.viewer_maximised ? 1 : 0);
  if (geometry.overall) WriteGeometry(ini, "allwindow", *geometry.overall);
  if (geometry.weapon_details) WriteGeometry(ini, "weapwindow", *geometry.weapon_details);
  if (geometry.one_on_one) {
    ini.WriteInteger("onewindow", "width", geometry.one_on_one->width);
    ini.WriteInteger("onewindow", "height", geometry.one_on_one->height);
  }
  return ini.Save();
}

std::optional<ViewerGeometry> ReadViewerGeometry(const std::filesystem::path& data_dir) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return std::nullopt;
  ViewerGeometry geometry;
  geometry.viewer = ReadGeometry(ini, "window");
  geometry.viewer_maximised = ini.ReadInteger("window", "maximized", 0) != 0;
  geometry.overall = ReadGeometry(ini, "allwindow");
  geometry.weapon_details = ReadGeometry(ini, "weapwindow");
  geometry.one_on_one = ReadGeometry(ini, "onewindow");
  return geometry;
}

std::array<RecentLabel, kRecentFileCount> RefreshRecentLabels(
    const std::array<std::string, kRecentFileCount>& recent_files) {
  std::array<RecentLabel, kRecentFileCount> labels;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i].caption =
        std::to_string(i + 1) + " - " + ShortenPath(40, recent_files[i], kPlatformSeparator);
    labels[i].hint = recent_files[i];
  }
  return labels;
}

std::string ShortenPath(std::uint16_t max_length, std::string_view path, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const auto next = path.find(separator, start);
    parts.push_back(
        path.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start));
    if (next == std::string_view::npos) break;
    start = next + 1;
  }
  const std::size_t limit = max_length;
  std::string trail;
  std::size_t dropped = parts.size();  // where the backward walk stopped, if it did
  for (std::size_t i = parts.size(); i-- > 0;) {
    if (trail.empty()) {
      trail = parts[i];
    } else if (parts[i].size() + trail.size() <= limit) {
      trail = std::string(parts[i]) + separator + trail;
    } else {
      dropped = i;
      break;
    }
  }
  if (dropped == parts.size()) return trail;
  std::string lead;
  for (std::size_t j = 0; j < dropped; ++j) {
    if (parts[j].size() + trail.size() + lead.size() > limit) break;
    lead += parts[j];
    lead += separator;
  }
  return lead + "..." + separator + trail;
}

}  // namespace mrv
