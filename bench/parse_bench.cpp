// Log-file parsing throughput: a generated evening-after-evening console log of 100 MB
// and 200 MB, parsed through the real log-file run and interpreter, against a bare line
// split of the same file. Reports MB/s, lines/s, the ratio to the bare split, the peak
// RSS and the size of the store the run built.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "capture/capture_session.h"
#include "capture/log_file_run.h"
#include "files/settings.h"
#include "model/body.h"

namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
  return fs::path(MORVANE_SOURCE_DIR) / "data";
}

struct Shipped {
  Shipped() {
    if (!mrv::ReadWeaponSettings(DataDir(), weapons, prompt)) std::abort();
    templates = mrv::LoadDeathTemplates(DataDir(), prompt);
  }
  mrv::SilentPrompt prompt;
  mrv::WeaponTable weapons;
  mrv::DeathTemplates templates;
};

const Shipped& ShippedFiles() {
  static const Shipped shipped;
  return shipped;
}

// Writes a console log the way a long run of evenings would leave it: map loads,
// joins, kills through every shipped template, the own player's hits, flag events,
// chat and engine noise.
class LogWriter {
 public:
  explicit LogWriter(std::FILE* out) : out_(out) {
    for (const std::string& entry : ShippedFiles().templates.entries()) {
      if (!entry.empty()) kill_forms_.push_back(entry.substr(1));
    }
  }

  void Write(std::uint64_t bytes) {
    Line("logfile opened on Sat Mar 02 20:14:05 2024");
    while (written_ < bytes) Map();
  }

 private:
  void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    written_ += text.size() + 1;
  }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[random_() % from.size()];
  }
  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

  std::string Kill(const std::string& killer, const std::string& victim) {
    std::string form = Pick(kill_forms_);
    for (const auto& [slot, nick] :
         {std::pair{"<KILLER>", killer}, std::pair{"<VICTIM>", victim}}) {
      const auto at = form.find(slot);
      if (at != std::string::npos) form.replace(at, 8, nick);
    }
    for (const char* tag : {"</MSG>", "<MSG>"}) {
      for (auto at = form.find(tag); at != std::string::npos; at = form.find(tag))
        form.erase(at, std::strlen(tag));
    }
    return form;
  }

  void Map() {
    static const std::vector<std::string> maps = {"ut4_abbey",  "ut4_algiers",  "ut4_uptown",
                                                  "ut4_casa",   "ut4_turnpike", "ut4_tombs",
                                                  "ut4_austria"};
    if (Chance(20)) {
      for (const char* text :
           {"----- FS_Startup -----", "Current search path:", "/home/morv/.q3a/q3ut4",
            "/usr/share/games/urbanterror/q3ut4/zpak000.pk3 (1211 files)",
            "----------------------"}) {
        Line(text);
      }
    }
    for (const char* text :
         {"RE_Shutdown( 0 )", "Hunk_Clear: reset the hunk ok", "----- R_Init -----",
          "GL_VENDOR: Mesa", "Loading vm file vm/ui.qvm...", "35 bots parsed",
          "8 crosshairs parsed", "Loading vm file vm/cgame.qvm...", "8 crosshairs parsed",
          "CL_InitCGame: 11.85 seconds", "61 msec to draw all images", "Com_TouchMemory: 0 msec"}) {
      Line(text);
    }
    Line("\"mapname\" is:\"" + Pick(maps) + "^7\" default:\"nomap^7\"");
    std::vector<std::string> players = {"Morv"};
    for (int i = 0; i < 15; ++i) players.push_back(Pick(names_) + std::to_string(random_() % 100));
    for (std::size_t i = 0; i < players.size(); ++i) {
      Line(players[i] + (i % 2 == 0 ? " joined the red team." : " joined the blue team."));
    }
    for (int event = 0; event < 1500; ++event) Event(players);
  }

  void Event(const std::vector<std::string>& players) {
    const std::string& a = Pick(players);
    const std::string& b = Pick(players);
    const std::string location(mrv::HitLocations[random_() % mrv::kHitLocationCount]);
    switch (random_() % 12) {
      case 0:
      case 1:
      case 2:
        Line(Kill(a, b));
        break;
      case 3:
        Line("You hit " + b + " in the " + location + ".");
        if (Chance(40)) Line(Kill("Morv", b));
        break;
      case 4:
        Line("You were hit in the " + location + " by " + a + ".");
        if (Chance(30)) Line(Kill(a, "Morv"));
        break;
      case 5:
        Line("^1" + a + "^7 has taken the ^4Blue^7 flag!");
        if (Chance(50)) {
          Line("^1" + a + "^7 dropped the ^4Blue^7 flag!");
          Line(Kill(b, a));
        } else {
          Line("^1" + a + "^7 captured the ^4Blue flag!");
        }
        break;
      case 6:
        Line(b + " returned the BLUE flag!");
        break;
      case 7:
      case 8:
        Line("^1" + a + "^7 (Patio Courtyard): ^3" + Pick(chat_));
        break;
      case 9:
        Line("^1(DEAD) " + a + "^3: ^3" + Pick(chat_));
        break;
      case 10:
        Line(a + " had " + std::to_string(random_() % 100 + 1) + "% Health.");
        break;
      default:
        Line(Chance(50) ? "^5PunkBuster Client: Player Guid Computed " + std::to_string(random_()) +
                              "(-) (slot #3)"
                        : a + " entered the game");
    }
  }

  std::FILE* out_;
  std::uint64_t written_ = 0;
  std::mt19937_64 random_{42};
  std::vector<std::string> kill_forms_;
  const std::vector<std::string> names_ = {"Rasec",  "Fak",       "Blub",    "Sn4ke", "pascochasco",
                                           "Kr4ken", "Dr Pepper", "[FU]Neo", "Lynx",  "Mojo"};
  const std::vector<std::string> chat_ = {"sry",
                                          "meh",
                                          "nice one",
                                          "gg",
                                          "who has the flag?",
                                          "lag...",
                                          "he did the lemming thing lol",
                                          "rush B"};
};

// The generated logs, made once and removed when the program ends.
class Logs {
 public:
  ~Logs() {
    for (const auto& [mb, path] : paths_) fs::remove(path);
  }
  const fs::path& Of(int mb) {
    auto& path = paths_[mb];
    if (path.empty()) {
      path = fs::temp_directory_path() /
             ("morvane-bench-" + std::to_string(::getpid()) + "-" + std::to_string(mb) + ".log");
      std::FILE* out = std::fopen(path.string().c_str(), "wb");
      LogWriter(out).Write(static_cast<std::uint64_t>(mb) << 20);
      std::fclose(out);
    }
    return path;
  }

 private:
  std::map<int, fs::path> paths_;
};

Logs& GeneratedLogs() {
  static Logs logs;
  return logs;
}

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct SplitResult {
  std::uint64_t lines = 0;
  double seconds = 0;
};

// The floor: read the file in large chunks and find its line breaks, nothing else.
SplitResult BareLineSplit(const fs::path& path) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<char> chunk(1 << 20);
  SplitResult result;
  std::FILE* in = std::fopen(path.string().c_str(), "rb");
  for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;) {
    for (const char* at = chunk.data();
         (at = static_cast<const char*>(std::memchr(at, '\n', n - (at - chunk.data())))) != nullptr;
         ++at) {
      ++result.lines;
    }
  }
  std::fclose(in);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

void BM_BareLineSplit(benchmark::State& state) {
  const fs::path& log = GeneratedLogs().Of(static_cast<int>(state.range(0)));
  SplitResult split;
  for (auto _ : state) benchmark::DoNotOptimize(split = BareLineSplit(log));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(log)));
  state.counters["lines/s"] = benchmark::Counter(
      static_cast<double>(split.lines * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_LogFileRun(benchmark::State& state) {
  const Shipped& shipped = ShippedFiles();
  const fs::path& log = GeneratedLogs().Of(static_cast<int>(state.range(0)));
  const std::uint64_t size = fs::file_size(log);
  const SplitResult split = BareLineSplit(log);
  mrv::SystemClock clock;
  mrv::SilentSoundPlayer sound;
  mrv::SystemRandom random;
  mrv::SilentPrompt prompt;
  mrv::CancelToken cancel;
  double store_mb = 0;
  double run_seconds = 0;
  for (auto _ : state) {
    mrv::Database database(shipped.weapons.size());
    mrv::CaptureSession session(database, shipped.weapons, shipped.templates,
                                {clock, sound, random, prompt, cancel});
    session.state.options.lplayernicks = {"Morv"};
    const auto start = std::chrono::steady_clock::now();
    if (mrv::RunLogFileCapture(session, log, size) != mrv::LogRunEnd::kEndOfLog)
      state.SkipWithError("run failed");
    run_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::size_t cells = 0;
    for (const auto& map : database.maps) cells += map->kill_table.capacity();
    store_mb = static_cast<double>(cells * sizeof(std::int32_t) +
                                   database.maps.size() * sizeof(mrv::map_record)) /
               (1 << 20);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(split.lines) * iterations,
                                                 benchmark::Counter::kIsRate);
  state.counters["x_bare_split"] = run_seconds / iterations / split.seconds;
  state.counters["peak_rss_MB"] = PeakRssMb();
  state.counters["store_MB"] = store_mb;
}

BENCHMARK(BM_BareLineSplit)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LogFileRun)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
