#include "cli/console_prompt.h"

#include <cstdio>

namespace mrv::cli {

std::string PlainLines(const std::string& text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      // CR LF, LF CR and a lone CR or LF are one break each; "\n\r\r" stays two.
      const char next = i + 1 < text.size() ? text[i + 1] : '\0';
      if ((next == '\r' || next == '\n') && next != c) ++i;
      lines += '\n';
    } else {
      lines += c;
    }
  }
  const auto first = lines.find_first_not_of('\n');
  if (first == std::string::npos) return {};
  const auto last = lines.find_last_not_of('\n');
  return lines.substr(first, last - first + 1);
}

std::string TerminalText(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) c = TerminalChar(c);
  return shown;
}

void ConsolePrompt::Show(const std::string& title, const std::string& text) {
  ++shown_;
  // Messages name maps and players: game text.
  const std::string lines = TerminalText(PlainLines(text));
  // A title of punctuation alone ("?", "!") says nothing on a terminal.
  const bool worded = title.find_first_not_of("?!. ") != std::string::npos;
  if (!worded) {
    std::fprintf(stderr, "%s\n", lines.c_str());
    return;
  }
  const char last = title.back();
  const char* joint = (last == '!' || last == ':' || last == '?') ? " " : ": ";
  std::fprintf(stderr, "%s%s%s\n", title.c_str(), joint, lines.c_str());
}

void ConsolePrompt::Inform(const std::string& text, const std::string& title) {
  Show(title, text);
}

bool ConsolePrompt::Ask(const std::string& text, const std::string& title) {
  Show(title, text);
  std::fprintf(stderr, "[%s]\n", ask_answer_ ? "OK" : "Cancel");
  return ask_answer_;
}

bool ConsolePrompt::AskText(const std::string& text, const std::string& title, std::string&) {
  return Ask(text, title);
}

void ConsolePrompt::Error(const std::string& text, const std::string& caption) {
  Show(caption, text);
}

}  // namespace mrv::cli
