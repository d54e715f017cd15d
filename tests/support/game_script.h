// The fake game's scripts for the console tests, and waiting for what its console shows.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "capture/console/game_console.h"

namespace mrv::test {

inline constexpr std::chrono::milliseconds kPatience{15000};

// Writes a fake-game script of these lines into the folder; returns its absolute path,
// which the game runners take as it is.
std::string WriteScript(const std::filesystem::path& folder, const std::string& name,
                        const std::vector<std::string>& lines);

// Script lines: a map loads and the game answers the capture's questions for its name
// and the player's.
std::vector<std::string> MapStart(const std::string& map);
// The game starts its console (a terminal's; a window is there from the start) and
// loads its first map.
std::vector<std::string> GameStart(const std::string& map);
std::vector<std::string> Then(std::vector<std::string> lines, const std::vector<std::string>& more);

// Reads the console until its text holds the needle or the patience runs out;
// returns the last text read.
std::string WaitForText(GameConsole& console, std::string_view needle);

}  // namespace mrv::test
