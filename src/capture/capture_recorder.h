// Keeps a live capture's journal: the capture's console, clock, random draws and
// questions pass through the recorder, which notes what the capture saw of them, with
// the moments, in a journal file (files/journal_writer.h). What it notes is what a
// replay through the same interpreter needs to build the same store again
// (journal_replay.h): each new piece of console text as the capture read it, the
// game found and lost, whether typed lines reach the game, the options when they
// change, the answers to the capture's questions, its random draws, and its clock
// readings except those of an idle poll. It knows nothing of the monitor's loop beyond
// the console's calls.
//
//   CaptureRecorder recorder(clock, random, prompt);           // before the session
//   CaptureSession session(store, weapons, templates,
//       {recorder.clock(), sound, recorder.random(), recorder.prompt(), cancel}, texts);
//   session.services.console = &recorder.Record(console, status);
//   recorder.StartJournal(data_dir, session);   // a capture that cannot be journaled goes on
//   RunConsoleMonitor(session, status, requests);
//   JournalFile journal = recorder.End();       // kept, locked, until the game is dealt with
//
// Everything but construction and End runs on the capture's thread. Until
// StartJournal succeeds everything passes straight through.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "capture/capture_session.h"
#include "capture/monitor_run.h"
#include "files/journal_writer.h"

namespace mrv {

class CaptureRecorder {
 public:
  // The services are the real ones; they outlive the recorder.
  CaptureRecorder(Clock& clock, Random& random, Prompt& prompt);
  ~CaptureRecorder();
  CaptureRecorder(const CaptureRecorder&) = delete;
  CaptureRecorder& operator=(const CaptureRecorder&) = delete;

  // What the session uses in place of the real services.
  Clock& clock();
  Random& random();
  Prompt& prompt();
  // The console as the session must use it, owned by the recorder; `status` hears when
  // journaling stops (or could not start) while the capture goes on.
  GameConsole& Record(GameConsole& console, MonitorStatus& status);

  // Starts the session's journal in the recovery folder of `data_dir`: its setup
  // (weapons, templates, GameTexts.txt from `data_dir`, options) goes to disk at once.
  // False when no journal can be kept; the status then hears why once the run has
  // begun, and the capture goes on without.
  bool StartJournal(const std::filesystem::path& data_dir, const CaptureSession& session);

  // The capture has ended (its thread is done): the journal gets its end and is
  // closed, and comes back with its lock; empty when there was none.
  JournalFile End();

 private:
  class TappedConsole;
  class TappedClock;
  class TappedRandom;
  class TappedPrompt;

  // What the taps report.
  void Append(journal::Record record);
  void ConsoleLength(std::size_t length);
  void ConsoleRead(const std::string& text);
  void ConsoleDropped(std::size_t length);
  void ConsoleFound(bool found);
  void ConsoleTyping(bool can_type, bool reads_no_input);
  void ConsoleActed();
  void Heartbeat();
  void TellNotices();
  // A change of the console that leaves held records for its event: commits them
  // after the boundary, before the event.
  void CommitEvent(journal::Record event);
  // The records held since a boundary whose event did not come: they stay, the
  // boundary and its readings go when `drop_readings`.
  void ReleaseHeld(bool drop_readings);
  std::uint64_t Now();

  Clock& real_clock_;
  std::unique_ptr<TappedClock> clock_;
  std::unique_ptr<TappedRandom> random_;
  std::unique_ptr<TappedPrompt> prompt_;
  std::unique_ptr<TappedConsole> console_;
  MonitorStatus* status_ = nullptr;
  std::unique_ptr<JournalWriter> writer_;
  const CaptureOptions* live_options_ = nullptr;
  CaptureOptions recorded_options_;

  // The console as the capture saw it.
  std::string read_;  // its text as last read, less what was dropped
  std::size_t last_length_ = static_cast<std::size_t>(-1);
  bool found_ = false;
  int typing_ = -1;  // as last recorded; -1 before the first
  // Readings since the console last said it had not changed are an idle poll's.
  bool idle_ = false;
  // Records since the console's length changed, held until its event.
  bool holding_ = false;
  std::vector<journal::Record> held_;
  std::uint64_t last_record_ms_ = 0;

  std::string not_started_;  // why there is no journal, until told
  bool stop_told_ = false;
};

}  // namespace mrv
