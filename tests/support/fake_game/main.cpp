// morvane-fake-game: a stand-in for the game in tests. It prints console lines from a
// script and answers typed commands the way the game's console does: on Windows in the
// console window the game opens, elsewhere on its terminal console, run under the real
// console bridge.
//
// usage: morvane-fake-game SCRIPT [+set ttycon 0]
// With "+set ttycon 0" the terminal console stays off, as in the older games that
// know that setting: "console" does nothing, and the terminal stays canonical. The
// window needs no start: it is there from the beginning.
//
// Script lines ("#" starts a comment line):
//   print TEXT        prints TEXT as one console line (colour codes as the game has them)
//   burst COUNT TEXT  prints TEXT as COUNT console lines, as fast as it can
//   sleep MS          waits, answering typed commands meanwhile
//   map NAME          the map that "mapname" answers with
//   name NAME         the player name that "name" answers with
//   console           starts the terminal console as current engines do: the terminal
//                     goes out of canonical mode, nothing is printed, and typed commands
//                     are read from then on (only when standard input is a terminal)
//   pace MS           reads one typed byte every MS milliseconds, as a game reads one a
//                     frame (0, the default: all that is there at once)
//   expect MS TEXT    waits up to MS for a typed line containing TEXT; exits with 3
//                     when none comes
//   quit STATUS       exits with STATUS
// The game exits with 0 at the end of the script, or when "quit" is typed.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "support/fake_game/console.h"

namespace {

constexpr int kScriptError = 2;
constexpr int kExpectFailed = 3;

int Number(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// "NUMBER TEXT": the number, and the text after the first blank.
int NumberAndText(const std::string& rest, std::string& text) {
  const std::size_t split = rest.find(' ');
  text = split == std::string::npos ? std::string() : rest.substr(split + 1);
  return Number(rest.substr(0, split));
}

std::chrono::steady_clock::time_point After(int milliseconds) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

// Waits up to the deadline for a typed line containing the text, answering typed
// commands meanwhile; true when one came. Lines typed before are searched too, each
// line matches once.
bool Expect(mrv::fake_game::Console& console, const std::string& text,
            std::chrono::steady_clock::time_point deadline) {
  while (!console.commands.TakeTyped(text)) {
    if (std::chrono::steady_clock::now() >= deadline || console.commands.quit_requested()) {
      return false;
    }
    // Serve in short slices so that a matching line ends the wait early.
    console.Serve(std::min(deadline, After(20)));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> settings(argv + std::min(argc, 2), argv + argc);
  const bool settings_known =
      settings.empty() || settings == std::vector<std::string>{"+set", "ttycon", "0"};
  const auto console = mrv::fake_game::OpenConsole(settings.empty());
  if (argc < 2 || !settings_known) {
    console->Print("usage: morvane-fake-game SCRIPT [+set ttycon 0]");
    return kScriptError;
  }
  std::ifstream script(argv[1]);
  if (!script) {
    console->Print(std::string("fake game: cannot read ") + argv[1]);
    return kScriptError;
  }
  mrv::fake_game::GameCommands& commands = console->commands;
  std::string line;
  while (std::getline(script, line) && !commands.quit_requested()) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (verb == "print") {
      console->Print(rest);
    } else if (verb == "burst") {
      std::string text;
      for (int i = NumberAndText(rest, text); i > 0; --i) console->Print(text);
    } else if (verb == "sleep") {
      console->Serve(After(Number(rest)));
    } else if (verb == "map") {
      commands.map = rest;
    } else if (verb == "name") {
      commands.name = rest;
    } else if (verb == "pace") {
      console->pace = std::chrono::milliseconds(Number(rest));
    } else if (verb == "console") {
      console->Start();
    } else if (verb == "expect") {
      std::string text;
      const int limit = NumberAndText(rest, text);
      if (!Expect(*console, text, After(limit))) {
        if (commands.quit_requested()) break;
        console->Print("fake game: no typed line with \"" + text + "\"");
        return kExpectFailed;
      }
    } else if (verb == "quit") {
      return Number(rest);
    } else {
      console->Print("fake game: unknown script line: " + line);
      return kScriptError;
    }
    console->EndFrame();
  }
  return 0;
}
