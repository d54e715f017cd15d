#include "ui/prompt_relay.h"

#include <QThread>

namespace mrv::ui {

// Shared by the waiting thread and the GUI thread, which may answer after the wait was
// given up; so the box's texts are copies too.
struct PromptRelay::Request {
  std::function<bool(Prompt&)> show;
  bool done = false;
  bool answer = false;
};

PromptRelay::PromptRelay(Prompt& gui_prompt, QObject* parent)
    : QObject(parent), gui_prompt_(gui_prompt) {}

void PromptRelay::Interrupt() {
  {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
  }
  answered_.notify_all();
}

bool PromptRelay::Relay(const std::function<bool(Prompt&)>& show) {
  if (QThread::currentThread() == thread()) return show(gui_prompt_);
  auto request = std::make_shared<Request>();
  request->show = show;
  {
    std::lock_guard lock(mutex_);
    if (interrupted_) return false;
  }
  QMetaObject::invokeMethod(
      this,
      [this, request] {
        {
          std::lock_guard lock(mutex_);
          if (interrupted_) return;
        }
        const bool answer = request->show(gui_prompt_);
        {
          std::lock_guard lock(mutex_);
          request->answer = answer;
          request->done = true;
        }
        answered_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return request->done || interrupted_; });
  return request->done && request->answer;
}

void PromptRelay::Inform(const std::string& text, const std::string& title) {
  Relay([text, title](Prompt& prompt) {
    prompt.Inform(text, title);
    return true;
  });
}

bool PromptRelay::Ask(const std::string& text, const std::string& title) {
  return Relay([text, title](Prompt& prompt) { return prompt.Ask(text, title); });
}

bool PromptRelay::AskText(const std::string& text, const std::string& title, std::string& input) {
  // The field's text comes back through a copy: the waiting thread may have given up.
  auto field = std::make_shared<std::string>(input);
  const bool ok =
      Relay([text, title, field](Prompt& prompt) { return prompt.AskText(text, title, *field); });
  if (ok) input = *field;
  return ok;
}

void PromptRelay::Error(const std::string& text, const std::string& caption) {
  Relay([text, caption](Prompt& prompt) {
    prompt.Error(text, caption);
    return true;
  });
}

}  // namespace mrv::ui
