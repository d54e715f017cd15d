// The console monitor's cost and reaction time against the real bridge running the
// scripted fake game: CPU time of the monitor's thread per second of wall time while the
// console is idle and while it receives 100 lines a second, and the delay from a line's
// arrival in the bridge to its count in the store (see monitor_bench_support.h). The
// capture keeps its journal as both programs do, and the journal's writing thread counts
// with the monitor's.
// monitor_dialog_bench measures the same with the desktop program's capture dialog.
//
// The bridge and the fake game are found beside this program; build them with it:
//   cmake --build BUILD --target monitor_bench morvane-console morvane-fake-game
#include <pthread.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "capture/capture_recorder.h"
#include "capture/capture_session.h"
#include "capture/monitor_run.h"
#include "monitor_bench_support.h"

namespace {

class NoStatus final : public mrv::MonitorStatus {
 public:
  void Clear() override {}
  void Add(std::string_view) override {}
};

}  // namespace

int main() {
  namespace bench = mrv::bench;
  const std::filesystem::path programs = bench::ProgramFolder();
  bench::Shipped shipped;
  if (!bench::HelpersPresent(programs) || !bench::LoadShipped(programs, shipped)) return 1;
  const std::filesystem::path folder = bench::MakeScratchFolder();
  if (folder.empty()) return 1;

  int status = 1;
  {
    bench::BridgedGame game(programs, folder);
    mrv::BridgeConsole player(game.socket());
    if (!game.Connect(player)) {
      std::fprintf(stderr, "monitor_bench: the bridge or the fake game did not start\n");
    } else {
      mrv::SystemClock clock;
      bench::HitClock sound;
      mrv::SystemRandom random;
      mrv::SilentPrompt prompt;
      mrv::CancelToken cancel;
      mrv::BridgeConsole console(game.socket());
      mrv::StatsStore store(shipped.weapons.size());
      mrv::CaptureRecorder recorder(clock, random, prompt);
      mrv::CaptureSession session(
          store, shipped.weapons, shipped.templates,
          {recorder.clock(), sound, recorder.random(), recorder.prompt(), cancel});
      session.state.options.frag_announcements = false;
      session.state.options.streak_announcements = false;
      NoStatus no_status;
      session.services.console = &recorder.Record(console, no_status);
      if (!recorder.StartJournal(folder, session)) {
        std::fprintf(stderr, "monitor_bench: the capture journal could not start\n");
      }
      mrv::MonitorRequests requests(cancel);
      std::thread monitor([&] { mrv::RunConsoleMonitor(session, no_status, requests); });
      // Every thread of this program but the one that plays the game: the monitor's
      // and the journal's.
      clockid_t main_clock{};
      pthread_getcpuclockid(pthread_self(), &main_clock);
      status = bench::MeasureMonitor(
          "console monitor and journal threads, bridge and fake game", player, sound,
          [main_clock] {
            return bench::ProcessCpuSeconds() - bench::ThreadCpuSeconds(main_clock);
          },
          [&] {
            requests.Stop();
            monitor.join();
            recorder.End().Discard();
          });
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
