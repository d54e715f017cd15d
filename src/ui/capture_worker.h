// One capture of the parse and monitor dialog, on a thread of its own: the console
// monitor or the log-file run. The GUI thread never waits for it:
// - what the run tells (status lines, progress, the live figures of the map being
//   played, the in-game headshot switch, its end) arrives as queued signals, each
//   carrying a copy: the run never waits for the GUI thread, nor the GUI for the run;
// - every box of the run is shown on the GUI thread through a PromptRelay while the
//   run waits; Stop and Cancel end that wait and every pause of the run at once;
// - the options may change while it runs, through options().
// - the console monitor keeps a journal of what it reads in the recovery folder
//   (capture_recorder.h), handed over with the store, so that the game can be
//   recovered after a crash until it was saved or dropped.
// The store is the run's from Start until `finished` has been delivered; the worker
// is the GUI thread's object, made and destroyed there.
//
//   CaptureWorker worker(store, weapons, templates, texts, devices, prompt, options);
//   connect(&worker, &CaptureWorker::finished, ...);   // then store is the caller's
//   worker.StartMonitor(std::move(console), data_dir);
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <thread>

#include "capture/capture_recorder.h"
#include "capture/capture_session.h"
#include "capture/monitor_run.h"
#include "files/journal_writer.h"
#include "ui/prompt_relay.h"

namespace mrv::ui {

class CaptureDevices;

class CaptureWorker final : public QObject, private MonitorStatus {
  Q_OBJECT

 public:
  enum class End {
    kStats,      // ended with stats to show: stopped, game closed, log read
    kCancelled,  // cancelled or stopped before the end (a log run shows nothing itself)
    kFailed,     // the log could not be read to its end
    kNotOpened,  // the log could not be opened: the run never began
  };
  Q_ENUM(End)

  CaptureWorker(StatsStore& store, const WeaponTable& weapons, const DeathTemplates& templates,
                const GameTexts& texts, CaptureDevices& devices, Prompt& gui_prompt,
                const CaptureOptions& options, QObject* parent = nullptr);
  // A run still going is cancelled and waited for; it ends at once.
  ~CaptureWorker() override;

  // Each starts the run; a worker runs once. The monitor's journal goes to the
  // recovery folder of `data_dir`.
  void StartMonitor(std::unique_ptr<GameConsole> console, const std::filesystem::path& data_dir);
  void StartLogFile(const std::filesystem::path& log, std::uint64_t file_size);

  // End the run and show its stats; end it and show nothing. The first request counts.
  void Stop();
  void Cancel();

  // Waits for the thread's end: at once when `finished` has been delivered.
  void Join();

  // The run's options: what the player changes here reaches the running capture.
  CaptureOptions& options() { return session_.state.options; }
  // The monitor's journal, once `finished` has been delivered: locked until it is
  // discarded (the game was saved or dropped) or destroyed (it stays to be recovered).
  JournalFile TakeJournal() { return std::move(journal_); }
  // Whether the monitor has counted anything (a player met in any line), as it knew
  // the last time it waited for the game's console; any thread.
  bool Counted() const { return counted_.load(std::memory_order_acquire); }

 signals:
  // The run starts waiting for the game anew: earlier status lines no longer apply.
  void statusCleared();
  void statusAdded(const QString& line);
  // The whole percentage of the log read.
  void progressed(int percent);
  // The figures of the map being played changed (a live capture; at most twice a
  // second).
  void figuresChanged(const mrv::LiveFigures& figures);
  // The in-game command switched the headshot sound.
  void headshotSwitched(bool enabled);
  // The last signal of a run; the thread ends right after it.
  void finished(mrv::ui::CaptureWorker::End end);

 private:
  void Clear() override;
  void Add(std::string_view line) override;
  void Figures(const LiveFigures& figures) override;
  template <typename Run>
  void StartThread(Run run);

  CancelToken cancel_;
  SystemRandom random_;
  PromptRelay relay_;
  CaptureRecorder recorder_;
  std::unique_ptr<GameConsole> console_;
  CaptureSession session_;
  MonitorRequests requests_;
  JournalFile journal_;
  std::atomic<bool> counted_{false};
  std::thread thread_;
};

}  // namespace mrv::ui

Q_DECLARE_METATYPE(mrv::LiveFigures)
