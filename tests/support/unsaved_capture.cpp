#include "support/unsaved_capture.h"

#include <gtest/gtest.h>

#include "capture/capture_recorder.h"
#include "files/recovery_folder.h"
#include "support/fakes.h"

namespace mrv::test {

std::filesystem::path UnsavedCapture(const std::filesystem::path& data_dir,
                                       const WeaponTable& weapons,
                                       const std::vector<std::string>& lines,
                                       std::uint64_t start_ms) {
  FakeClock clock(start_ms);
  FakeRandom random;
  FakePrompt prompt;
  SilentSoundPlayer sound;
  CancelToken cancel;
  CaptureRecorder recorder(clock, random, prompt);
  StatsStore store(weapons.size());
  const DeathTemplates templates = LoadDeathTemplates(data_dir, prompt);
  CaptureSession session(store, weapons, templates,
                         {recorder.clock(), sound, recorder.random(), recorder.prompt(), cancel});
  session.state.options.monitor = true;
  FakeConsole console;
  for (const std::string& line : lines) console.text += line + "\r\n";
  MonitorRequests requests(cancel);
  console.on_wait = [&requests](std::chrono::milliseconds) { requests.Stop(); };
  RecordingMonitorStatus status;
  session.services.console = &recorder.Record(console, status);
  EXPECT_TRUE(recorder.StartJournal(data_dir, session));
  RunConsoleMonitor(session, status, requests);
  // The program dies: the journal's lock goes with it.
  return recorder.End().path();
}

std::set<std::filesystem::path> JournalFiles(const std::filesystem::path& data_dir) {
  std::set<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(RecoveryFolder(data_dir), error), end;
       !error && entry != end; entry.increment(error)) {
    if (entry->path().extension() == ".journal") files.insert(entry->path());
  }
  return files;
}

}  // namespace mrv::test
