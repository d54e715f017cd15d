// The game console that section Monitor of stats.ini chooses, for every program that
// runs a live capture.
#pragma once

#include <memory>
#include <string>

#include "capture/console/game_console.h"
#include "files/console_choice.h"

namespace mrv {

// The console of the choice; null, with the reason in `error`, when this system cannot
// give it (a log to follow that is not named, a backend of another system).
std::unique_ptr<GameConsole> OpenConfiguredConsole(const ConsoleChoice& choice, std::string& error);

}  // namespace mrv
