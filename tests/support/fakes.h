// Test doubles for the platform interfaces: they record what the code under test
// asked for and answer from a script.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "capture/console/game_console.h"
#include "capture/monitor_run.h"
#include "capture/platform.h"
#include "files/prompt.h"

namespace mrv::test {

// Time that moves only when the test or a wait moves it.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::uint64_t start_ms = 1'000'000) : now_(start_ms) {}
  std::uint64_t Millis() override { return now_; }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override;
  void Advance(std::uint64_t ms) { now_ += ms; }
  void Set(std::uint64_t ms) { now_ = ms; }
  const std::vector<std::int64_t>& waits() const { return waits_; }

 private:
  std::uint64_t now_;
  std::vector<std::int64_t> waits_;
};

// Real time, except that the pauses after typed lines are short: a test need not sit
// through the game start's 2.1 s.
class QuickPauseClock final : public Clock {
 public:
  std::uint64_t Millis() override { return real_.Millis(); }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override {
    return real_.Wait(std::min(duration, std::chrono::milliseconds(10)), cancel);
  }

 private:
  SystemClock real_;
};

class FakeSound final : public SoundPlayer {
 public:
  void Play(Sound sound) override { played.push_back(sound); }
  void StopAll() override { ++stops; }
  int Volume() override { return volume; }
  void SetVolume(int v) override {
    volume = v;
    volume_history.push_back(v);
  }
  std::vector<Sound> played;
  int stops = 0;
  int volume = 200;
  std::vector<int> volume_history;
};

// Answers every draw from a queue; 0 once the queue is empty.
class FakeRandom final : public Random {
 public:
  int Next(int n) override;
  std::deque<int> answers;
  std::vector<int> asked;  // the n of every draw
};

class FakePrompt final : public Prompt {
 public:
  struct Shown {
    std::string kind;  // "inform", "ask" or "error"
    std::string text;
    std::string title;
  };
  void Inform(const std::string& text, const std::string& title) override;
  bool Ask(const std::string& text, const std::string& title) override;
  // Answers as Ask does; on OK the input becomes the next of text_answers, if any.
  bool AskText(const std::string& text, const std::string& title, std::string& input) override;
  void Error(const std::string& text, const std::string& caption) override;
  std::vector<Shown> shown;
  std::deque<bool> ask_answers;  // OK once the queue is empty
  std::deque<std::string> text_answers;
};

// A console whose output box the test writes; typed lines are recorded.
class FakeConsole final : public GameConsole {
 public:
  bool Find() override {
    ++finds;
    if (on_find) on_find();
    return present;
  }
  std::string Problem() const override { return problem; }
  std::size_t TextLength() override { return present ? text.size() : 0; }
  std::string Text() override { return present ? text : std::string(); }
  bool TakeLineLoss() override { return std::exchange(lines_lost, false); }
  bool DropRead(std::size_t length) override {
    text.erase(0, length);
    ++drops;
    return true;
  }
  bool CanType() const override { return can_type; }
  bool TypeLine(const std::string& line) override {
    typed.push_back(line);
    return true;
  }
  std::size_t UnreadTyping() override { return unread ? unread() : 0; }
  void WaitForChange(std::chrono::milliseconds timeout) override {
    if (on_wait) on_wait(timeout);
  }
  // A line the game prints.
  void Print(std::string_view line) { text.append(line).append("\r\n"); }
  bool present = true;
  bool can_type = true;
  bool lines_lost = false;
  std::string problem;
  std::string text;
  std::vector<std::string> typed;
  int drops = 0;
  int finds = 0;
  // Scripts for a test that drives a polling capture: run at every search attempt and
  // at every wait for a change.
  std::function<void()> on_find;
  std::function<void(std::chrono::milliseconds)> on_wait;
  // What the game has not read of the typed text yet, asked anew each time.
  std::function<std::size_t()> unread;
};

// Steps for a capture that polls `console` on the test's thread: each wait for a change
// moves `clock` by the wait's timeout and runs the next step; once the steps are done the
// player stops the capture. All four outlive the capture.
template <typename TestClock>
void RunStepsAtEachWait(FakeConsole& console, TestClock& clock, MonitorRequests& requests,
                        std::deque<std::function<void()>>& steps) {
  console.on_wait = [&](std::chrono::milliseconds timeout) {
    clock.Advance(static_cast<std::uint64_t>(timeout.count()));
    if (steps.empty()) {
      requests.Stop();
      return;
    }
    const auto step = std::move(steps.front());
    steps.pop_front();
    step();
  };
}

// Keeps the console monitor's status lines; "[clear]" stands for a cleared status box.
class RecordingMonitorStatus final : public MonitorStatus {
 public:
  void Clear() override { lines.push_back("[clear]"); }
  void Add(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

}  // namespace mrv::test
