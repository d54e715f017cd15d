// morvane-fake-game: a stand-in for the game in tests, run under the real console
// bridge. It prints console lines from a script and answers typed commands the way the
// game's terminal console does.
//
// usage: morvane-fake-game SCRIPT [+set ttycon 0]
// With "+set ttycon 0" the terminal console stays off, as in the older games that
// know that setting: "console" does nothing, and the terminal stays canonical.
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

#include "support/fake_game/tty_console.h"

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

}  // namespace

int main(int argc, char** argv) {
  using mrv::fake_game::PrintLine;
  const std::vector<std::string> settings(argv + std::min(argc, 2), argv + argc);
  if (argc < 2 || (argc > 2 && settings != std::vector<std::string>{"+set", "ttycon", "0"})) {
    PrintLine("usage: morvane-fake-game SCRIPT [+set ttycon 0]");
    return kScriptError;
  }
  const bool tty_console = settings.empty();
  std::ifstream script(argv[1]);
  if (!script) {
    PrintLine(std::string("fake game: cannot read ") + argv[1]);
    return kScriptError;
  }
  mrv::fake_game::TtyConsole console;
  std::string line;
  while (std::getline(script, line) && !console.quit_requested()) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (verb == "print") {
      PrintLine(rest);
    } else if (verb == "burst") {
      std::string text;
      for (int i = NumberAndText(rest, text); i > 0; --i) PrintLine(text);
    } else if (verb == "sleep") {
      console.Serve(After(Number(rest)));
    } else if (verb == "map") {
      console.map = rest;
    } else if (verb == "name") {
      console.name = rest;
    } else if (verb == "pace") {
      console.pace = std::chrono::milliseconds(Number(rest));
    } else if (verb == "console") {
      if (tty_console) console.Start();
    } else if (verb == "expect") {
      std::string text;
      const int limit = NumberAndText(rest, text);
      if (!console.Expect(text, After(limit))) {
        if (console.quit_requested()) break;
        PrintLine("fake game: no typed line with \"" + text + "\"");
        return kExpectFailed;
      }
    } else if (verb == "quit") {
      return Number(rest);
    } else {
      PrintLine("fake game: unknown script line: " + line);
      return kScriptError;
    }
  }
  return 0;
}
