#include "monitor_bench_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "files/prompt.h"
#include "files/settings.h"

namespace mrv::bench {

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kWarmUp = 3s;  // the game start after the first hit pauses 2.1 s
constexpr auto kPhase = 5s;
constexpr int kLinesPerSecond = 100;
constexpr const char* kHitLine = "ut_echo You hit Rasec in the Head";

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

}  // namespace

void HitClock::Play(Sound sound) {
  if (sound != Sound::Headshot || volume_ == 0) return;
  const Moment now = std::chrono::steady_clock::now();
  std::lock_guard lock(mutex_);
  hits_.push_back(now);
}

std::vector<Moment> HitClock::hits() {
  std::lock_guard lock(mutex_);
  return hits_;
}

BridgedGame::BridgedGame(const fs::path& programs, const fs::path& folder)
    : socket_(folder / "bench.sock") {
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

BridgedGame::~BridgedGame() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

bool BridgedGame::Connect(BridgeConsole& player) const {
  for (int attempt = 0; attempt < 500 && pid_ > 0; ++attempt) {
    if (player.Find() && player.TypeLine("ut_echo ready")) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

fs::path ProgramFolder() {
  std::error_code error;
  return fs::canonical("/proc/self/exe", error).parent_path();
}

bool HelpersPresent(const fs::path& programs) {
  for (const char* program : {"morvane-console", "morvane-fake-game"}) {
    if (!fs::exists(programs / program)) {
      std::fprintf(stderr, "%s is missing beside this benchmark; build it too\n", program);
      return false;
    }
  }
  return true;
}

fs::path MakeScratchFolder() {
  std::string folder = (fs::temp_directory_path() / "morvane-monitor-bench-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) return {};
  return folder;
}

bool LoadShipped(const fs::path& programs, Shipped& shipped) {
  SilentPrompt prompt;
  if (!ReadWeaponSettings(programs, shipped.weapons, prompt)) {
    std::fprintf(stderr, "no usable stats.ini beside this benchmark\n");
    return false;
  }
  shipped.templates = LoadDeathTemplates(programs, prompt);
  return true;
}

double ThreadCpuSeconds(clockid_t thread_clock) {
  timespec time{};
  clock_gettime(thread_clock, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

double ProcessCpuSeconds() {
  return ThreadCpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

int MeasureMonitor(const char* title, BridgeConsole& player, HitClock& sound,
                   const std::function<double()>& cpu_seconds, const std::function<void()>& stop) {
  // The first hit starts the game: its queries and pauses are not measured.
  player.TypeLine(kHitLine);
  std::this_thread::sleep_for(kWarmUp);

  const double idle_cpu_start = cpu_seconds();
  const Moment idle_start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(kPhase);
  const double idle_share =
      (cpu_seconds() - idle_cpu_start) / Seconds(std::chrono::steady_clock::now() - idle_start);

  const std::size_t hits_before = sound.hits().size();
  std::vector<Moment> typed;
  const double busy_cpu_start = cpu_seconds();
  const Moment busy_start = std::chrono::steady_clock::now();
  const int line_count = kLinesPerSecond * static_cast<int>(kPhase / 1s);
  for (int i = 0; i < line_count; ++i) {
    std::this_thread::sleep_until(busy_start + i * 1000ms / kLinesPerSecond);
    if (!player.TypeLine(kHitLine)) break;
    typed.push_back(std::chrono::steady_clock::now());
  }
  const double busy_share =
      (cpu_seconds() - busy_cpu_start) / Seconds(std::chrono::steady_clock::now() - busy_start);

  const Moment patience = std::chrono::steady_clock::now() + 5s;
  while (sound.hits().size() < hits_before + typed.size() &&
         std::chrono::steady_clock::now() < patience) {
    std::this_thread::sleep_for(10ms);
  }
  stop();

  const std::vector<Moment> hits = sound.hits();
  std::vector<double> delays_ms;
  for (std::size_t i = 0; i < typed.size() && hits_before + i < hits.size(); ++i) {
    delays_ms.push_back(Seconds(hits[hits_before + i] - typed[i]) * 1000);
  }
  std::printf("%s: %zu of %zu lines counted\n", title, delays_ms.size(), typed.size());
  Report("CPU, idle console", idle_share * 100, "%", 1);
  Report("CPU, 100 lines/s", busy_share * 100, "%", 5);
  Report("line arrival to count, median", Percentile(delays_ms, 0.5), "ms", 20);
  std::printf("%-44s %8.3f ms\n", "line arrival to count, 95th percentile",
              Percentile(delays_ms, 0.95));
  return delays_ms.size() == typed.size() && !typed.empty() ? 0 : 1;
}

}  // namespace mrv::bench
