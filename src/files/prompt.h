// The message boxes that file and capture code needs, behind an interface so that the
// desktop program shows dialogs, the command-line tool prints, and tests record.
#pragma once

#include <string>

namespace mrv {

// The caption of the platform's standard error box.
inline constexpr const char* kErrorCaption = "Error";

class Prompt {
 public:
  virtual ~Prompt() = default;
  // The program's own information box with one OK button.
  virtual void Inform(const std::string& text, const std::string& title) = 0;
  // The program's Ask box with OK and Cancel; true for OK.
  virtual bool Ask(const std::string& text, const std::string& title) = 0;
  // The platform's standard error box with one OK button.
  virtual void Error(const std::string& text, const std::string& caption) = 0;
};

}  // namespace mrv
