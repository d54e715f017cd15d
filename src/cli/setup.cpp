#include "cli/setup.h"

#include <cstdio>

#include "files/settings.h"

namespace mrv::cli {

std::optional<WeaponTable> LoadWeapons(const Environment& env, ConsolePrompt& prompt) {
  WeaponTable weapons;
  if (!ReadWeaponSettings(env.data_dir, weapons, prompt)) {
    PrintError(PlainLines(kSettingsUnusableMessage) + " (" + SettingsPath(env.data_dir).string() + ")");
    return std::nullopt;
  }
  return weapons;
}

void PrintError(const std::string& message) { std::fprintf(stderr, "morvane-cli: %s\n", message.c_str()); }

}  // namespace mrv::cli
