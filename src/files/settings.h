// The settings file stats.ini of the data folder: the weapon table, the recent log
// files, the last directories, the start counter and the viewer windows' geometry.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/prompt.h"
#include "model/weapons.h"

namespace mrv {

inline constexpr const char* kSettingsFileName = "stats.ini";
// What the program shows before it ends when the settings cannot be used.
inline constexpr const char* kSettingsUnusableMessage =
    "The initialization file was not found or it's corrupted!\n\rThe program will be terminated!";
inline constexpr const char* kDuplicateWeaponMessage =
    "Error reading stats.ini\r\n\r\nYou can't have two weapons with the same name nor weapon code!";

std::filesystem::path SettingsPath(const std::filesystem::path& data_dir);

inline constexpr int kRecentFileCount = 3;

struct Settings {
  // Index 0 is the most recent; an empty text is a slot without a file.
  std::array<std::string, kRecentFileCount> recent_files;
  // Empty until a file was chosen: each dialog then starts in a folder of its own.
  std::string last_dir;
  std::string save_last_dir;  // carried over unchanged
  // False when the start could not write the file back: nothing else will be kept either.
  bool writable = true;
};

struct WindowGeometry {
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const WindowGeometry&) const = default;
};

// The viewer windows. The viewer's size is 0 x 0 until one was stored (it then opens at
// its smallest); the two tables are stored only while they exist, and of the one-on-one
// window only its size (it opens centred on the main window).
struct ViewerGeometry {
  WindowGeometry viewer;
  bool viewer_maximised = false;
  std::optional<WindowGeometry> overall;
  std::optional<WindowGeometry> weapon_details;
  std::optional<WindowGeometry> one_on_one;
};

// The start-up read: recent files, directories, the start counter (written back one
// higher before the weapons are examined; `show_about` runs at the very first start)
// and the weapon table. False when the file is missing or the weapon table is not
// usable; only two weapons sharing a code or a name are reported, through `prompt`.
bool LoadSettings(const std::filesystem::path& data_dir, Settings& settings,
                  WeaponTable& weapons, Prompt& prompt, const std::function<void()>& show_about);

// The weapon table alone, by the same rules and messages, for programs that must not
// change the settings file.
bool ReadWeaponSettings(const std::filesystem::path& data_dir, WeaponTable& weapons,
                        Prompt& prompt);

// False, with nothing written, when the file is missing, unreadable or cannot be
// written back. A text the file cannot hold (a path with a line break) keeps the
// value stored before.
bool SaveSettings(const std::filesystem::path& data_dir, const Settings& settings,
                  const ViewerGeometry& geometry);

// The windows' stored geometry, 0 for every missing key; empty when the file is
// missing or unreadable.
std::optional<ViewerGeometry> ReadViewerGeometry(const std::filesystem::path& data_dir);

struct RecentLabel {
  std::string caption;  // "1 - " and the shortened path
  std::string hint;     // the path in full
};
// Paths are shortened at the platform's separator, where the open dialog puts them.
std::array<RecentLabel, kRecentFileCount> RefreshRecentLabels(
    const std::array<std::string, kRecentFileCount>& recent_files);

// The display form of a long path: its last components and as many leading ones as
// fit within about max_length characters, with "..." and a separator where components
// were left out.
std::string ShortenPath(std::uint16_t max_length, std::string_view path, char separator = '\\');

}  // namespace mrv
