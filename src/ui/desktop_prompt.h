// The desktop form of Prompt, for core code running on the GUI thread: Inform and Ask
// show the program's message box, AskText the Ask box with its input field, Error the
// platform's standard error dialog. Texts from the core are converted by MessageText.
#pragma once

#include "files/prompt.h"

class QWidget;

namespace mrv::ui {

class DesktopPrompt final : public Prompt {
 public:
  // Boxes open over `parent`, or over the active window when it is null.
  explicit DesktopPrompt(QWidget* parent = nullptr) : parent_(parent) {}

  void Inform(const std::string& text, const std::string& title) override;
  bool Ask(const std::string& text, const std::string& title) override;
  bool AskText(const std::string& text, const std::string& title, std::string& input) override;
  void Error(const std::string& text, const std::string& caption) override;

 private:
  QWidget* parent_;
};

}  // namespace mrv::ui
