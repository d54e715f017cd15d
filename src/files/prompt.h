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
  // The Ask box with an input field preset to `input`; on OK (true) `input` holds what
  // the field held, on Cancel it is left unchanged.
  virtual bool AskText(const std::string& text, const std::string& title, std::string& input) = 0;
  // The platform's standard error box with one OK button.
  virtual void Error(const std::string& text, const std::string& caption) = 0;
};

// Shows nothing and answers every question with Cancel: for runs nobody watches
// (benchmarks, fuzzing).
class SilentPrompt final : public Prompt {
 public:
  void Inform(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&) override { return false; }
  bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
  void Error(const std::string&, const std::string&) override {}
};

}  // namespace mrv
