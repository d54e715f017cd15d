// The Prompt of a capture running on its own thread: every box is shown on the GUI
// thread, by the Prompt given there, while the capture's thread waits for the answer.
// Interrupt (from the GUI thread, at Stop or Cancel) ends every wait at once, answered
// Cancel, and no box is shown from then on: the GUI thread never waits for the capture,
// and the capture never waits for a box that will not come.
//
//   PromptRelay relay(desktop_prompt);   // made on the GUI thread
//   ... on the capture's thread: if (relay.Ask(text, title)) ...
//   relay.Interrupt();                   // the capture is being stopped
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "files/prompt.h"

namespace mrv::ui {

class PromptRelay final : public QObject, public Prompt {
  Q_OBJECT

 public:
  explicit PromptRelay(Prompt& gui_prompt, QObject* parent = nullptr);

  void Inform(const std::string& text, const std::string& title) override;
  bool Ask(const std::string& text, const std::string& title) override;
  bool AskText(const std::string& text, const std::string& title, std::string& input) override;
  void Error(const std::string& text, const std::string& caption) override;

  void Interrupt();

 private:
  struct Request;
  // Runs `show` on the GUI thread and waits for it; false when interrupted first.
  // Called on the GUI thread itself, it shows the box directly.
  bool Relay(const std::function<bool(Prompt&)>& show);

  Prompt& gui_prompt_;
  std::mutex mutex_;
  std::condition_variable answered_;
  bool interrupted_ = false;
};

}  // namespace mrv::ui
