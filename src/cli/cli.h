// The verbs of morvane-cli and what they share.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mrv::cli {

struct Environment {
  // Where stats.ini, DeathMsgs.txt and GameTexts.txt are read and saved games and profiles live.
  std::filesystem::path data_dir;
};

using Arguments = std::vector<std::string>;

// Each verb returns the process exit code.
int RunParseCommand(const Environment& env, const Arguments& args);
int RunShowCommand(const Environment& env, const Arguments& args);
int RunProfileCommand(const Environment& env, const Arguments& args);
int RunMonitorCommand(const Environment& env, const Arguments& args);
int RunExportCommand(const Environment& env, const Arguments& args);
int RunRecoverCommand(const Environment& env, const Arguments& args);

// Exit codes shared by every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitUnknownWeapon = 3;

}  // namespace mrv::cli
