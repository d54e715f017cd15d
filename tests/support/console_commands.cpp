#include "support/console_commands.h"

#include <algorithm>

namespace mrv::test {

namespace {

// Bytes the console takes for blanks: its characters are signed, so every byte of 0x80
// and above counts too.
bool IsBlank(char c) {
  return static_cast<signed char>(c) <= ' ';
}

bool StartsComment(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && text[i] == '/' && (text[i + 1] == '/' || text[i + 1] == '*');
}

// The first command of the text; `text` keeps the rest.
std::string_view NextCommand(std::string_view& text) {
  int quotes = 0;
  bool slash_comment = false;
  bool star_comment = false;
  std::size_t end = 0;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (c == '"') ++quotes;
    if (quotes % 2 == 0) {
      const bool pair = end + 1 < text.size();
      if (pair && !star_comment && c == '/' && text[end + 1] == '/') {
        slash_comment = true;
      } else if (pair && !slash_comment && c == '/' && text[end + 1] == '*') {
        star_comment = true;
      } else if (pair && star_comment && c == '*' && text[end + 1] == '/') {
        ++end;  // the command ends before the comment's last "/", which is dropped
        break;
      }
      if (!slash_comment && !star_comment && c == ';') break;
    }
    if (!star_comment && (c == '\n' || c == '\r')) break;
  }
  const std::string_view command = text.substr(0, end);
  text.remove_prefix(std::min(end + 1, text.size()));
  return command;
}

std::vector<std::string> Words(std::string_view command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (true) {
    while (i < command.size() && IsBlank(command[i])) ++i;
    if (i >= command.size()) return words;
    if (StartsComment(command, i)) {
      if (command[i + 1] == '/') return words;
      const std::size_t close = command.find("*/", i + 2);
      if (close == std::string_view::npos) return words;
      i = close + 2;
      continue;
    }
    if (command[i] == '"') {
      const std::size_t close = command.find('"', i + 1);
      words.emplace_back(command.substr(i + 1, close - std::min(close, i + 1)));
      if (close == std::string_view::npos) return words;
      i = close + 1;
      continue;
    }
    std::string word;
    while (i < command.size() && !IsBlank(command[i]) && command[i] != '"' &&
           !StartsComment(command, i)) {
      word += command[i++];
    }
    words.push_back(std::move(word));
  }
}

}  // namespace

std::vector<std::vector<std::string>> ConsoleCommands(std::string_view line) {
  std::vector<std::vector<std::string>> commands;
  while (!line.empty()) {
    std::vector<std::string> words = Words(NextCommand(line));
    if (!words.empty()) commands.push_back(std::move(words));
  }
  return commands;
}

}  // namespace mrv::test
