// Starts the game with its standard input on a pseudo-terminal, so that its terminal
// console reads typed commands, and its two output streams on pipes of their own.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace mrv::bridge {

struct GameProcess {
  pid_t pid = -1;
  int terminal = -1;  // the terminal's master side: typed input goes in here
  int output = -1;    // the game's standard output: the echo of what is typed
  int errors = -1;    // the game's standard error: its console text
  // The terminal's side the game reads (its standard input), by name: the bridge opens
  // it only to see how much typed input is still waiting there.
  std::string terminal_name;
};

// All three descriptors are non-blocking. On failure pid stays -1 and error says why.
GameProcess StartGame(const std::vector<std::string>& command, std::string& error);

// The exit code a shell would report for a wait status: the code, or 128 + the signal.
int ExitCodeOf(int wait_status);

}  // namespace mrv::bridge
