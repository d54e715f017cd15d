#include "support/fake_game/game_commands.h"

#include <algorithm>
#include <string_view>

#include "support/console_commands.h"

namespace mrv::fake_game {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::vector<std::string> GameCommands::Run(const std::string& line) {
  typed_.push_back(line);
  std::string_view commands = line;
  // The client runs a line typed outside a game as a command, slash or not.
  if (!commands.empty() && (commands[0] == '\\' || commands[0] == '/')) commands.remove_prefix(1);
  std::vector<std::string> printed;
  for (const auto& words : test::ConsoleCommands(commands)) RunCommand(words, printed);
  return printed;
}

bool GameCommands::TakeTyped(const std::string& text) {
  const auto match = std::find_if(typed_.begin(), typed_.end(), [&](const std::string& line) {
    return line.find(text) != std::string::npos;
  });
  if (match == typed_.end()) return false;
  typed_.erase(typed_.begin(), match + 1);
  return true;
}

void GameCommands::RunCommand(const std::vector<std::string>& words,
                              std::vector<std::string>& printed) {
  const std::string command = Lower(words[0]);
  if (command == "mapname") {
    printed.push_back("\"mapname\" is:\"" + map + "^7\" default:\"nomap^7\"");
  } else if (command == "name") {
    printed.push_back("\"name\" is:\"" + name + "^7\" default:\"UnnamedPlayer^7\"");
  } else if (command == "ut_echo" || command == "echo") {
    std::string echoed;
    for (std::size_t i = 1; i < words.size(); ++i) echoed += words[i] + " ";
    printed.push_back(echoed);
  } else if (command == "quit") {
    quit_requested_ = true;
  } else {
    printed.push_back("Unknown command \"" + words[0] + "^7\"");
  }
}

}  // namespace mrv::fake_game
