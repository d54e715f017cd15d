// How the game's console runs a typed line, as ioquake3 does: the line is split into
// commands at ";" outside double quotes; "//" ends a command's text, and a "/* */"
// comment ends its command right after the comment, so that what follows runs as a
// command of its own. Each command is then cut into words at blanks and control bytes,
// a double-quoted word keeping its blanks, comments left out. Used by the fake game and
// by the tests that check what a typed line would make the game run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mrv::test {

// The words of each command the line runs; commands without words are left out.
std::vector<std::vector<std::string>> ConsoleCommands(std::string_view line);

}  // namespace mrv::test
