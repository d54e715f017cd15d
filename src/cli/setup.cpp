#include "cli/setup.h"

#include <cstdio>
#include <ctime>

#include "files/settings.h"

namespace mrv::cli {

std::optional<WeaponTable> LoadWeapons(const Environment& env, ConsolePrompt& prompt) {
  WeaponTable weapons;
  if (!ReadWeaponSettings(env.program_dir, weapons, prompt)) {
    PrintError(PlainLines(kSettingsUnusableMessage) + " (" + SettingsPath(env.program_dir).string() + ")");
    return std::nullopt;
  }
  return weapons;
}

void PrintError(const std::string& message) { std::fprintf(stderr, "morvane-cli: %s\n", message.c_str()); }

std::string CurrentGameName() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace mrv::cli
