#include "ui/desktop_prompt.h"

#include "ui/message_dialog.h"
#include "ui/ui_text.h"

namespace mrv::ui {

void DesktopPrompt::Inform(const std::string& text, const std::string& title) {
  InformationBox(MessageText(text), MessageText(title), parent_);
}

bool DesktopPrompt::Ask(const std::string& text, const std::string& title) {
  QString unused;
  return AskBox(MessageText(text), MessageText(title), unused, {}, parent_);
}

bool DesktopPrompt::AskText(const std::string& text, const std::string& title, std::string& input) {
  // What is typed is game text (a map name, a nickname).
  QString field = FromGameText(input);
  if (!AskBox(MessageText(text), MessageText(title), field, {.input = true}, parent_)) {
    return false;
  }
  input = ToGameText(field);
  return true;
}

void DesktopPrompt::Error(const std::string& text, const std::string& caption) {
  ErrorDialog(MessageText(text), MessageText(caption), parent_);
}

}  // namespace mrv::ui
