// The console monitor's cost and reaction time against the real bridge running the
// scripted fake game: CPU time of the monitor's thread per second of wall time while the
// console is idle and while it receives 100 lines a second, and the delay from a line's
// arrival in the bridge to its count in the store.
//
// The bridge and the fake game are found beside this program; build them with it:
//   cmake --build BUILD --target monitor_bench morvane-console morvane-fake-game
//
// The lines arrive as the game's echo of "ut_echo You hit Rasec in the Head", typed by
// this program, which stands in for the player. A line's arrival is taken as the moment
// the bridge confirmed the typing (the game's echo follows within microseconds), its
// count as the headshot sound the monitor plays while it counts the hit.
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "capture/capture_session.h"
#include "capture/console/bridge_console.h"
#include "capture/monitor_run.h"
#include "files/settings.h"

namespace {

using namespace std::chrono_literals;
using Moment = std::chrono::steady_clock::time_point;
namespace fs = std::filesystem;

constexpr auto kWarmUp = 3s;  // the game start after the first hit pauses 2.1 s
constexpr auto kPhase = 5s;
constexpr int kLinesPerSecond = 100;
constexpr const char* kHitLine = "ut_echo You hit Rasec in the Head";

// Records when the monitor plays the headshot sound, which it does for every hit in the
// head; the silent warm-up plays of a game start are left out.
class HitClock final : public mrv::SoundPlayer {
 public:
  void Play(mrv::Sound sound) override {
    if (sound != mrv::Sound::Headshot || volume_ == 0) return;
    const Moment now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    hits_.push_back(now);
  }
  void StopAll() override {}
  int Volume() override { return volume_; }
  void SetVolume(int volume) override { volume_ = volume; }

  std::vector<Moment> hits() {
    std::lock_guard lock(mutex_);
    return hits_;
  }

 private:
  int volume_ = 255;  // only the monitor's thread changes it
  std::mutex mutex_;
  std::vector<Moment> hits_;
};

class NoStatus final : public mrv::MonitorStatus {
 public:
  void Clear() override {}
  void Add(std::string_view) override {}
};

// morvane-console running morvane-fake-game with a script that only serves typed lines.
class BridgedGame {
 public:
  BridgedGame(const fs::path& programs, const fs::path& folder) : socket_(folder / "bench.sock") {
    const fs::path script = folder / "bench.script";
    std::FILE* out = std::fopen(script.c_str(), "w");
    if (out == nullptr) return;
    std::fputs("map ut4_bench\nname Fak\nconsole\nsleep 600000\n", out);
    std::fclose(out);
    const std::string bridge = (programs / "morvane-console").string();
    const std::string game = (programs / "morvane-fake-game").string();
    const std::string socket = socket_.string();
    const std::string script_path = script.string();
    pid_ = fork();
    if (pid_ != 0) return;
    std::freopen("/dev/null", "w", stderr);
    execl(bridge.c_str(), bridge.c_str(), "--socket", socket.c_str(), "--", game.c_str(),
          script_path.c_str(), static_cast<char*>(nullptr));
    _exit(126);
  }
  ~BridgedGame() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  BridgedGame(const BridgedGame&) = delete;
  BridgedGame& operator=(const BridgedGame&) = delete;

  const fs::path& socket() const { return socket_; }

  // A player's console once the game reads typed lines; false when it never does.
  bool Connect(mrv::BridgeConsole& player) const {
    for (int attempt = 0; attempt < 500 && pid_ > 0; ++attempt) {
      if (player.Find() && player.TypeLine("ut_echo ready")) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

 private:
  fs::path socket_;
  pid_t pid_ = -1;
};

double ThreadCpuSeconds(clockid_t thread_clock) {
  timespec time{};
  clock_gettime(thread_clock, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[rank];
}

void Report(const char* figure, double value, const char* unit, double target) {
  std::printf("%-44s %8.3f %-3s (target < %g %s: %s)\n", figure, value, unit, target, unit,
              value < target ? "met" : "MISSED");
}

fs::path ProgramFolder() {
  std::error_code error;
  return fs::canonical("/proc/self/exe", error).parent_path();
}

}  // namespace

int main() {
  const fs::path programs = ProgramFolder();
  for (const char* program : {"morvane-console", "morvane-fake-game"}) {
    if (!fs::exists(programs / program)) {
      std::fprintf(stderr, "monitor_bench: %s is missing beside this program; build it too\n",
                   program);
      return 1;
    }
  }
  std::string folder_template = (fs::temp_directory_path() / "morvane-monitor-bench-XXXXXX");
  if (mkdtemp(folder_template.data()) == nullptr) return 1;
  const fs::path folder = folder_template;

  mrv::SilentPrompt prompt;
  mrv::WeaponTable weapons;
  if (!mrv::ReadWeaponSettings(programs, weapons, prompt)) {
    std::fprintf(stderr, "monitor_bench: no usable stats.ini beside this program\n");
    return 1;
  }
  const mrv::DeathTemplates templates = mrv::LoadDeathTemplates(programs, prompt);

  int status = 1;
  {
    BridgedGame game(programs, folder);
    mrv::BridgeConsole player(game.socket());
    if (!game.Connect(player)) {
      std::fprintf(stderr, "monitor_bench: the bridge or the fake game did not start\n");
    } else {
      mrv::SystemClock clock;
      HitClock sound;
      mrv::SystemRandom random;
      mrv::CancelToken cancel;
      mrv::BridgeConsole console(game.socket());
      mrv::Database database(weapons.size());
      mrv::CaptureSession session(database, weapons, templates,
                                  {clock, sound, random, prompt, cancel, &console});
      session.state.options.crandom = false;
      session.state.options.crandomh = false;
      NoStatus no_status;
      mrv::MonitorRequests requests(cancel);
      std::thread monitor([&] { mrv::RunConsoleMonitor(session, no_status, requests); });
      clockid_t monitor_clock{};
      pthread_getcpuclockid(monitor.native_handle(), &monitor_clock);

      // The first hit starts the game: its queries and pauses are not measured.
      player.TypeLine(kHitLine);
      std::this_thread::sleep_for(kWarmUp);

      const double idle_cpu_start = ThreadCpuSeconds(monitor_clock);
      const Moment idle_start = std::chrono::steady_clock::now();
      std::this_thread::sleep_for(kPhase);
      const double idle_share = (ThreadCpuSeconds(monitor_clock) - idle_cpu_start) /
                                Seconds(std::chrono::steady_clock::now() - idle_start);

      const std::size_t hits_before = sound.hits().size();
      std::vector<Moment> typed;
      const double busy_cpu_start = ThreadCpuSeconds(monitor_clock);
      const Moment busy_start = std::chrono::steady_clock::now();
      const int line_count = kLinesPerSecond * static_cast<int>(kPhase / 1s);
      for (int i = 0; i < line_count; ++i) {
        std::this_thread::sleep_until(busy_start + i * 1000ms / kLinesPerSecond);
        if (!player.TypeLine(kHitLine)) break;
        typed.push_back(std::chrono::steady_clock::now());
      }
      const double busy_share = (ThreadCpuSeconds(monitor_clock) - busy_cpu_start) /
                                Seconds(std::chrono::steady_clock::now() - busy_start);

      const Moment patience = std::chrono::steady_clock::now() + 5s;
      while (sound.hits().size() < hits_before + typed.size() &&
             std::chrono::steady_clock::now() < patience) {
        std::this_thread::sleep_for(10ms);
      }
      requests.Stop();
      monitor.join();

      const std::vector<Moment> hits = sound.hits();
      std::vector<double> delays_ms;
      for (std::size_t i = 0; i < typed.size() && hits_before + i < hits.size(); ++i) {
        delays_ms.push_back(Seconds(hits[hits_before + i] - typed[i]) * 1000);
      }
      std::printf("console monitor, bridge and fake game: %zu of %zu lines counted\n",
                  delays_ms.size(), typed.size());
      Report("monitor thread CPU, idle console", idle_share * 100, "%", 1);
      Report("monitor thread CPU, 100 lines/s", busy_share * 100, "%", 5);
      Report("line arrival to count, median", Percentile(delays_ms, 0.5), "ms", 20);
      std::printf("%-44s %8.3f ms\n", "line arrival to count, 95th percentile",
                  Percentile(delays_ms, 0.95));
      status = delays_ms.size() == typed.size() && !typed.empty() ? 0 : 1;
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
