#include "ui/capture_worker.h"

#include <algorithm>

#include "capture/log_file_run.h"
#include "ui/capture_devices.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

CaptureWorker::End EndOf(MonitorEnd end) {
  return ShowsStats(end) ? CaptureWorker::End::kStats : CaptureWorker::End::kCancelled;
}

CaptureWorker::End EndOf(LogRunEnd end) {
  if (ShowsStats(end)) return CaptureWorker::End::kStats;
  switch (end) {
    case LogRunEnd::kCancelled:
      return CaptureWorker::End::kCancelled;
    case LogRunEnd::kNotOpened:
      return CaptureWorker::End::kNotOpened;
    default:
      return CaptureWorker::End::kFailed;
  }
}

// The game's console as the monitor uses it, noting on the monitor's thread each time it
// waits for the console whether the store has met a player yet: every line that counts
// anything names one.
class CountingConsole final : public GameConsole {
 public:
  CountingConsole(std::unique_ptr<GameConsole> console, const StatsStore& store,
                  std::atomic<bool>& counted)
      : console_(std::move(console)), store_(store), counted_(counted) {}
  bool Find() override { return console_->Find(); }
  std::size_t TextLength() override { return console_->TextLength(); }
  std::string Text() override { return console_->Text(); }
  bool DropRead(std::size_t length) override { return console_->DropRead(length); }
  bool TypeLine(const std::string& line) override { return console_->TypeLine(line); }
  bool CanType() const override { return console_->CanType(); }
  bool ReadsNoInput() const override { return console_->ReadsNoInput(); }
  std::string Problem() const override { return console_->Problem(); }
  bool TakeLineLoss() override { return console_->TakeLineLoss(); }
  std::size_t UnreadTyping() override { return console_->UnreadTyping(); }
  void FollowCancel(const CancelToken* cancel) override { console_->FollowCancel(cancel); }
  void WaitForChange(std::chrono::milliseconds timeout) override {
    if (!counted_.load(std::memory_order_relaxed) &&
        std::any_of(store_.maps.begin(), store_.maps.end(),
                    [](const auto& map) { return !map->nicks.empty(); })) {
      counted_.store(true, std::memory_order_release);
    }
    console_->WaitForChange(timeout);
  }

 private:
  std::unique_ptr<GameConsole> console_;
  const StatsStore& store_;
  std::atomic<bool>& counted_;
};

}  // namespace

CaptureWorker::CaptureWorker(StatsStore& store, const WeaponTable& weapons,
                             const DeathTemplates& templates, const GameTexts& texts,
                             CaptureDevices& devices, Prompt& gui_prompt,
                             const CaptureOptions& options, QObject* parent)
    : QObject(parent),
      relay_(gui_prompt),
      recorder_(devices.clock(), random_, relay_),
      session_(store, weapons, templates,
               {recorder_.clock(), devices.sound(), recorder_.random(), recorder_.prompt(), cancel_},
               texts),
      requests_(cancel_) {
  session_.state.options = options;
  // The figures on show read the device clock itself, not the journal's tap on it.
  session_.services.figures_clock = &devices.clock();
  session_.headshot_switched = [this](bool enabled) { emit headshotSwitched(enabled); };
}

CaptureWorker::~CaptureWorker() {
  if (!thread_.joinable()) return;
  Cancel();
  Join();
}

template <typename Run>
void CaptureWorker::StartThread(Run run) {
  if (thread_.joinable()) return;
  thread_ = std::thread([this, run] { emit finished(run()); });
}

void CaptureWorker::StartMonitor(std::unique_ptr<GameConsole> console,
                                 const std::filesystem::path& data_dir) {
  console_ = std::make_unique<CountingConsole>(std::move(console), session_.store, counted_);
  session_.services.console = &recorder_.Record(*console_, *this);
  StartThread([this, data_dir] {
    // Here, not on the GUI thread: the journal's start waits for the disk.
    recorder_.StartJournal(data_dir, session_);
    const MonitorEnd end = RunConsoleMonitor(session_, *this, requests_);
    journal_ = recorder_.End();
    return EndOf(end);
  });
}

void CaptureWorker::StartLogFile(const std::filesystem::path& log, std::uint64_t file_size) {
  StartThread([this, log, file_size] {
    return EndOf(RunLogFileCapture(session_, log, file_size,
                                   [this](int percent) { emit progressed(percent); }));
  });
}

void CaptureWorker::Stop() {
  requests_.Stop();
  relay_.Interrupt();
}

void CaptureWorker::Cancel() {
  requests_.Cancel();
  relay_.Interrupt();
}

void CaptureWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

void CaptureWorker::Clear() {
  emit statusCleared();
}

void CaptureWorker::Add(std::string_view line) {
  emit statusAdded(MessageText(line));
}

void CaptureWorker::Figures(const LiveFigures& figures) {
  emit figuresChanged(figures);
}

}  // namespace mrv::ui
