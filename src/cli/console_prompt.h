// The message boxes of the core, as text on standard error. The Ask box answers
// with a fixed choice, since nobody sits at a dialog.
#pragma once

#include <string>
#include <string_view>

#include "files/prompt.h"

namespace mrv::cli {

class ConsolePrompt final : public Prompt {
 public:
  explicit ConsolePrompt(bool ask_answer = true) : ask_answer_(ask_answer) {}
  void Inform(const std::string& text, const std::string& title) override;
  bool Ask(const std::string& text, const std::string& title) override;
  // Nobody can type an answer: the preset text stands.
  bool AskText(const std::string& text, const std::string& title, std::string& input) override;
  void Error(const std::string& text, const std::string& caption) override;
  // How many messages were shown so far.
  int shown() const { return shown_; }

 private:
  void Show(const std::string& title, const std::string& text);
  bool ask_answer_;
  int shown_ = 0;
};

// The message's text with its mixed line breaks as plain lines, blank lines at the
// ends dropped.
std::string PlainLines(const std::string& text);

// The text as it may reach a terminal: every control character but the line break (C0,
// DEL and C1) shown as "?", so that game text cannot move the cursor, retitle or clear
// the terminal.
std::string TerminalText(std::string_view text);
// One character of it.
inline char TerminalChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && c != '\n') || (byte >= 0x7f && byte < 0xa0) ? '?' : c;
}

}  // namespace mrv::cli
