// The console monitor: follows the running game's console, hands every new line to the
// shared line handling, answers the player's in-game commands, sends the timed replies,
// and waits for the game again when it was closed.
//
// The run owns the session (and its StatsStore) until it ends. Typical use:
//   MonitorCapture capture(session, status);   // session.services.console is set
//   capture.Start();                           // the run goes on a thread of its own
//   ... capture.Stop() or capture.Cancel() from any thread ...
//   const MonitorEnd end = capture.Join();     // now the StatsStore is the caller's
//   if (ShowsStats(end)) Show(session.store);
//
// The run calls the session's Prompt (the game-lost question) and the status sink from
// its own thread; a front end with a GUI thread passes them on to it.
#pragma once

#include <atomic>
#include <chrono>
#include <string_view>
#include <thread>

#include "capture/capture_session.h"
#include "capture/live_figures.h"

namespace mrv {

// Where the run reports what it is doing ("Waiting for Quake3...", "Quake3 found!", ...)
// and, for a front end that shows them, the figures of the map being played.
class MonitorStatus {
 public:
  virtual ~MonitorStatus() = default;
  // The run starts waiting for the game anew: earlier lines no longer apply.
  virtual void Clear() = 0;
  virtual void Add(std::string_view line) = 0;
  // The figures changed: at most twice a second (LiveFiguresThrottle, paced by the
  // session's figures clock; never without one), on the run's thread. Nothing by default.
  virtual void Figures(const LiveFigures& /*figures*/) {}
};

enum class MonitorEnd {
  kStopped,        // the player stopped the capture to see the stats
  kGameClosed,     // the game was closed and the player chose not to wait for it
  kUnknownWeapon,  // a kill named a weapon the table does not hold; the maps so far stay
  kStoreFull,      // the store reached its memory budget (the player was told); the maps
                   // so far stay
  kCancelled,      // the player cancelled: nothing is shown
};

inline bool ShowsStats(MonitorEnd end) {
  return end != MonitorEnd::kCancelled;
}

// Asks a running monitor to end, from any thread; the first request counts. Both cut
// every wait of the run short through the session's CancelToken.
class MonitorRequests {
 public:
  explicit MonitorRequests(CancelToken& cancel) : cancel_(cancel) {}
  // End the capture and show its stats.
  void Stop() { Request(kStop); }
  // End the capture and show nothing.
  void Cancel() { Request(kCancel); }
  // How a run that noticed the cancel token ends: a cancel unless a stop came first.
  MonitorEnd EndOnRequest() const {
    return request_.load(std::memory_order_acquire) == kStop ? MonitorEnd::kStopped
                                                             : MonitorEnd::kCancelled;
  }

 private:
  enum Kind : int { kNone, kStop, kCancel };
  void Request(Kind kind);

  CancelToken& cancel_;
  std::atomic<int> request_{kNone};
};

// How long the poll loop waits for the console to change before it looks again: short
// enough for the quiet-console rule and the timed replies, long enough to cost nothing.
inline constexpr std::chrono::milliseconds kConsolePollWait{50};
// How long the search waits between two attempts to find the game.
inline constexpr std::chrono::milliseconds kSearchRetryWait{200};

// Runs the monitor on the calling thread until it ends. Needs the session's console;
// turns the session's Monitor option on. The store receives a map "<map1>" first and a
// new "<mapN>" each time the game is found again after it was lost.
MonitorEnd RunConsoleMonitor(CaptureSession& session, MonitorStatus& status,
                             const MonitorRequests& requests);

// RunConsoleMonitor on a thread of its own.
class MonitorCapture {
 public:
  MonitorCapture(CaptureSession& session, MonitorStatus& status)
      : session_(session), status_(status), requests_(session.services.cancel) {}
  // A run still going is cancelled and waited for.
  ~MonitorCapture();
  MonitorCapture(const MonitorCapture&) = delete;
  MonitorCapture& operator=(const MonitorCapture&) = delete;

  void Start();
  void Stop() { requests_.Stop(); }
  void Cancel() { requests_.Cancel(); }
  // Waits for the run's end; the same end again on a later call.
  MonitorEnd Join();

 private:
  CaptureSession& session_;
  MonitorStatus& status_;
  MonitorRequests requests_;
  std::thread thread_;
  MonitorEnd end_ = MonitorEnd::kCancelled;
};

}  // namespace mrv
