#include "files/capture_options.h"

#include <algorithm>
#include <type_traits>

#include "files/ini_file.h"
#include "files/settings.h"

namespace mrv {

namespace {

constexpr const char* kSection = "Monitor";

// The twelve keys, in the order they are read and written, with the option each holds.
template <typename Options, typename Visit>
void ForEachKey(Options& options, Visit&& visit) {
  visit("Headshotsound", options.headshot_sound);
  visit("Minimize", options.minimize_to_tray);
  visit("cyclic", options.cyclic_stats);
  visit("time", options.stats_every_seconds);
  visit("onfrag", options.stats_after_kill);
  visit("ondeath", options.stats_after_death);
  visit("random", options.frag_announcements);
  visit("cyclich", options.cyclic_hits);
  visit("timeh", options.hits_every_seconds);
  visit("onfragh", options.hits_after_kill);
  visit("ondeathh", options.hits_after_death);
  visit("randomh", options.streak_announcements);
}

template <typename Field>
constexpr bool kIsFlag = std::is_same_v<std::remove_cvref_t<Field>, bool> ||
                         std::is_same_v<std::remove_cvref_t<Field>, LiveOption<bool>>;

std::int32_t ClampPeriod(std::int32_t seconds) {
  return std::clamp(seconds, CaptureOptions::kMinPeriod, CaptureOptions::kMaxPeriod);
}

}  // namespace

bool LoadCaptureOptions(const std::filesystem::path& data_dir, CaptureOptions& options) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  CaptureOptions read;  // starts at the defaults of missing keys
  ForEachKey(read, [&](const char* key, auto& field) {
    if constexpr (kIsFlag<decltype(field)>) {
      field = ini.ReadBool(kSection, key, field);
    } else {
      field = ClampPeriod(ini.ReadInteger(kSection, key, field));
    }
  });
  read.monitor = options.monitor;
  read.own_nicknames = std::move(options.own_nicknames);
  options = std::move(read);
  return true;
}

bool SaveCaptureOptions(const std::filesystem::path& data_dir, const CaptureOptions& options) {
  IniFile ini;
  if (!ini.Load(SettingsPath(data_dir))) return false;
  ForEachKey(options, [&](const char* key, const auto& field) {
    if constexpr (kIsFlag<decltype(field)>) {
      ini.WriteBool(kSection, key, field);
    } else {
      ini.WriteInteger(kSection, key, field);
    }
  });
  return ini.Save();
}

}  // namespace mrv
