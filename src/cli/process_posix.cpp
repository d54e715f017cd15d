#include "cli/process.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <thread>

namespace mrv::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepareStandardStreams() {}

// The signals are blocked in every thread and taken by one thread with sigwait. They
// stay blocked until the tool exits.
struct StopOnRequest::Watcher {
  sigset_t signals;
  std::atomic<bool> done{false};
  std::thread thread;
};

StopOnRequest::StopOnRequest() : watcher_(std::make_unique<Watcher>()) {
  sigemptyset(&watcher_->signals);
  sigaddset(&watcher_->signals, SIGINT);
  sigaddset(&watcher_->signals, SIGTERM);
  // The capture's thread, started later, inherits the blocked signals.
  pthread_sigmask(SIG_BLOCK, &watcher_->signals, nullptr);
}

StopOnRequest::~StopOnRequest() {
  if (!watcher_->thread.joinable()) return;
  watcher_->done.store(true);
  pthread_kill(watcher_->thread.native_handle(), SIGINT);
  watcher_->thread.join();
}

void StopOnRequest::Watch(MonitorCapture& capture) {
  watcher_->thread = std::thread([watcher = watcher_.get(), &capture] {
    int signal = 0;
    while (sigwait(&watcher->signals, &signal) == 0 && !watcher->done.load()) capture.Stop();
  });
}

}  // namespace mrv::cli
