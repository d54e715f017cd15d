#include "support/fakes.h"

namespace mrv::test {

bool FakeClock::Wait(std::chrono::milliseconds duration, CancelToken& cancel) {
  waits_.push_back(duration.count());
  if (cancel.requested()) return false;
  now_ += static_cast<std::uint64_t>(duration.count());
  return true;
}

int FakeRandom::Next(int n) {
  asked.push_back(n);
  if (answers.empty()) return 0;
  const int value = answers.front();
  answers.pop_front();
  return value;
}

void FakePrompt::Inform(const std::string& text, const std::string& title) {
  shown.push_back({"inform", text, title});
}

bool FakePrompt::Ask(const std::string& text, const std::string& title) {
  shown.push_back({"ask", text, title});
  if (ask_answers.empty()) return true;
  const bool answer = ask_answers.front();
  ask_answers.pop_front();
  return answer;
}

bool FakePrompt::AskText(const std::string& text, const std::string& title, std::string& input) {
  if (!Ask(text, title)) return false;
  if (!text_answers.empty()) {
    input = text_answers.front();
    text_answers.pop_front();
  }
  return true;
}

void FakePrompt::Error(const std::string& text, const std::string& caption) {
  shown.push_back({"error", text, caption});
}

}  // namespace mrv::test
