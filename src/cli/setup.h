// What every verb sets up first: the weapon table from stats.ini, and the texts the
// tool prints on standard error.
#pragma once

#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/console_prompt.h"
#include "model/weapons.h"

namespace mrv::cli {

// The weapon table of the data folder's stats.ini, read without changing the
// file; empty after printing the start-up failure message.
std::optional<WeaponTable> LoadWeapons(const Environment& env, ConsolePrompt& prompt);

// "morvane-cli: " and the message on standard error.
void PrintError(const std::string& message);

}  // namespace mrv::cli
