// How a live capture reaches the game's console, and the game's program that the
// desktop program starts: keys of section "Monitor" of the settings file, beside the
// capture options.
#pragma once

#include <filesystem>
#include <string>

namespace mrv {

enum class ConsoleBackend {
  kBridge,  // the game started through the console bridge
  kLog,     // following the game's console log, read-only
  kWindow,  // the game's own console window (Windows)
};

struct ConsoleChoice {
  ConsoleBackend backend;
  std::string log_path;  // the log that kLog follows; empty when not set
  // The socket of the console bridge (its --socket); empty for the bridge's default.
  std::string bridge_socket;
};

// Key "GamePath": the game's program, which the desktop program starts under the console
// bridge; empty when it is not set or the settings file is missing. Whether it still
// names a program is GameProgramProblem's to say.
std::string ReadGamePath(const std::filesystem::path& data_dir);
// False, with nothing written, when the file is missing or cannot hold the path.
bool SaveGamePath(const std::filesystem::path& data_dir, const std::string& game_path);
// Why `program` cannot be started as the game, in words that follow its name ("is
// missing"); empty when it is a file this system can run.
std::string GameProgramProblem(const std::filesystem::path& program);

ConsoleBackend DefaultConsoleBackend();
// qconsole.log in the game's folder (GameFolder) when that folder exists, else empty.
std::string DefaultConsoleLog();
// Keys "Console" (bridge, log or window, any case), "ConsoleLog" and "BridgeSocket"; a
// missing file, a missing key, an empty ConsoleLog or an unknown value gives the default.
ConsoleChoice ReadConsoleChoice(const std::filesystem::path& data_dir);

}  // namespace mrv
