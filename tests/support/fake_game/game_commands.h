// The commands the fake game runs when a line is typed into its console, the way the
// game runs a typed line; shared by its terminal console and its console window.
#pragma once

#include <string>
#include <vector>

namespace mrv::fake_game {

class GameCommands {
 public:
  // Runs a typed line as the game's console does (see support/console_commands.h), a
  // leading slash dropped. Returns the lines the game prints in answer.
  std::vector<std::string> Run(const std::string& line);
  // Whether a line containing the text was typed and not taken yet; takes it and every
  // line typed before it.
  bool TakeTyped(const std::string& text);

  // The typed command "quit" was run: the game ends.
  bool quit_requested() const { return quit_requested_; }

  std::string map = "nomap";
  std::string name = "UnnamedPlayer";

 private:
  void RunCommand(const std::vector<std::string>& words, std::vector<std::string>& printed);

  bool quit_requested_ = false;
  std::vector<std::string> typed_;
};

}  // namespace mrv::fake_game
