// Log-file parsing throughput and memory, on the logs of bench_logs.h: "generated" and
// "later_text" (evenings of few maps), "long_session" (samples/long_session.log repeated,
// whose renames touch every map met so far, so the parse must not slow down as the store
// grows) and "map_heavy" (years of a player's console log: a map every 10 KB or so).
// Each run parses one log through the real log-file run and interpreter in a child
// process, so that the peak memory reported is that log's own.
//
// Prints, per log, one line each:
//   parse_mb_s NAME VALUE       median over the runs, per second of CPU time (user and
//                               system) of the parsing process: on a machine shared with
//                               other work, wall time also counts the waits for a core
//   parse_wall_mb_s NAME VALUE  the same per second of wall time
//   peak_rss_mb NAME VALUE      largest over the runs
//   maps NAME VALUE             the maps the store holds at the end
//   store_mb NAME VALUE         what the store's memory budget counts for them
//   bare_split_mb_s NAME VALUE  the floor: read the file and find its line breaks
//
// Usage: parse_bench [--runs N] [--texts] [--write DIR] [NAME | FILE...]
//   --texts   parse with the shipped GameTexts.txt loaded, as the programs do; without
//             it, with the older game text only (the logs of the later text are then
//             left out)
//   NAME      only these logs (default: all); --write puts the logs in DIR and exits,
//             for timing the command-line tool on the same bytes
//             (/usr/bin/time -v morvane-cli parse DIR/map_heavy_200mb.log).
//   FILE      an existing log, parsed as it is (for instruction counts, for example
//             perf stat -e instructions:u parse_bench --runs 1 FILE).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_logs.h"
#include "capture/capture_session.h"
#include "capture/log_file_run.h"
#include "files/settings.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = MORVANE_SOURCE_DIR;

bool with_game_texts = false;

struct Shipped {
  Shipped() {
    if (!mrv::ReadWeaponSettings(kSourceDir / "data", weapons, prompt)) std::abort();
    templates = mrv::LoadDeathTemplates(kSourceDir / "data", prompt);
    if (with_game_texts) texts = mrv::LoadGameTexts(kSourceDir / "data", prompt);
  }
  mrv::SilentPrompt prompt;
  mrv::WeaponTable weapons;
  mrv::DeathTemplates templates;
  mrv::GameTexts texts;
};

const Shipped& ShippedFiles() {
  static const Shipped shipped;
  return shipped;
}

struct BenchLog {
  std::string name;
  bench::LogKind kind;
  int megabytes;
};

const std::vector<BenchLog> kLogs = {
    {"generated_20mb", bench::LogKind::kGenerated, 20},
    {"generated_200mb", bench::LogKind::kGenerated, 200},
    {"later_text_20mb", bench::LogKind::kLaterText, 20},
    {"long_session_20mb", bench::LogKind::kRepeatedSample, 20},
    {"long_session_200mb", bench::LogKind::kRepeatedSample, 200},
    {"map_heavy_20mb", bench::LogKind::kMapHeavy, 20},
    {"map_heavy_200mb", bench::LogKind::kMapHeavy, 200},
};

// Logs of the later game text fill the store when read as the older text: all their maps
// count as one.
bool NeedsGameTexts(bench::LogKind kind) {
  return kind == bench::LogKind::kLaterText || kind == bench::LogKind::kMapHeavy;
}

void WriteLog(const BenchLog& log, const fs::path& path) {
  bench::WriteBenchLog(log.kind, path, static_cast<std::uint64_t>(log.megabytes) << 20,
                       ShippedFiles().templates);
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What a child sends back: the seconds to parse the log, and the maps counted.
struct ParseResult {
  double seconds = 0;
  std::int64_t maps = 0;
  double store_mb = 0;
};

// Parses the log as the log-file capture does.
ParseResult ParseOnce(const fs::path& log) {
  const Shipped& shipped = ShippedFiles();
  mrv::SystemClock clock;
  mrv::SilentSoundPlayer sound;
  mrv::SystemRandom random;
  mrv::SilentPrompt prompt;
  mrv::CancelToken cancel;
  mrv::StatsStore store(shipped.weapons.size());
  mrv::CaptureSession session(store, shipped.weapons, shipped.templates,
                              {clock, sound, random, prompt, cancel}, shipped.texts);
  session.state.options.own_nicknames = {"Morv"};
  const auto start = std::chrono::steady_clock::now();
  // A run that stops early would time only part of the log.
  if (mrv::RunLogFileCapture(session, log, fs::file_size(log)) != mrv::LogRunEnd::kEndOfLog) {
    std::fprintf(stderr,
                 "parse_bench: %s was not read to its end (the store's budget, an unknown "
                 "weapon, or a later version's log read without --texts)\n",
                 log.string().c_str());
    std::abort();
  }
  return {Seconds(start), store.size(), static_cast<double>(store.budget->used()) / (1 << 20)};
}

struct RunFigures {
  ParseResult parse;       // wall time of the parse, maps counted
  double cpu_seconds = 0;  // CPU time of the process, the parse nearly all of it
  double peak_rss_mb = 0;
};

// One parse in a child process: its time comes back through a pipe, its peak memory
// from the kernel's account of the child.
RunFigures ParseInChild(const fs::path& log) {
  ShippedFiles();  // loaded before the fork, so that no child pays for it
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::abort();
  const pid_t child = fork();
  if (child == 0) {
    const ParseResult parsed = ParseOnce(log);
    if (write(pipe_ends[1], &parsed, sizeof parsed) != sizeof parsed) _exit(1);
    _exit(0);
  }
  close(pipe_ends[1]);
  RunFigures figures;
  if (read(pipe_ends[0], &figures.parse, sizeof figures.parse) != sizeof figures.parse)
    std::abort();
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || status != 0) std::abort();
  figures.peak_rss_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  figures.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return figures;
}

double BareSplitSeconds(const fs::path& path) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<char> chunk(1 << 20);
  std::uint64_t lines = 0;
  std::FILE* in = std::fopen(path.string().c_str(), "rb");
  for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;) {
    for (const char* at = chunk.data();
         (at = static_cast<const char*>(
              std::memchr(at, '\n', n - static_cast<std::size_t>(at - chunk.data())))) != nullptr;
         ++at) {
      ++lines;
    }
  }
  std::fclose(in);
  if (lines == 0) std::abort();
  return Seconds(start);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Measure(const BenchLog& log, const fs::path& path, int runs) {
  const double mb = static_cast<double>(fs::file_size(path)) / (1 << 20);
  std::vector<double> speeds;
  std::vector<double> wall_speeds;
  double peak = 0;
  ParseResult last;
  for (int i = 0; i < runs; ++i) {
    const RunFigures run = ParseInChild(path);
    speeds.push_back(mb / run.cpu_seconds);
    wall_speeds.push_back(mb / run.parse.seconds);
    peak = std::max(peak, run.peak_rss_mb);
    last = run.parse;
  }
  std::printf("parse_mb_s %s %.1f\n", log.name.c_str(), Median(speeds));
  std::printf("parse_wall_mb_s %s %.1f\n", log.name.c_str(), Median(wall_speeds));
  std::printf("peak_rss_mb %s %.1f\n", log.name.c_str(), peak);
  std::printf("maps %s %lld\n", log.name.c_str(), static_cast<long long>(last.maps));
  std::printf("store_mb %s %.1f\n", log.name.c_str(), last.store_mb);
  std::printf("bare_split_mb_s %s %.1f\n", log.name.c_str(), mb / BareSplitSeconds(path));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  fs::path write_dir;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--texts") {
      with_game_texts = true;
    } else if (arg == "--write" && i + 1 < argc) {
      write_dir = argv[++i];
    } else if (arg.starts_with("-")) {
      std::fprintf(stderr, "usage: %s [--runs N] [--texts] [--write DIR] [NAME...]\n", argv[0]);
      return 2;
    } else {
      only.push_back(arg);
    }
  }
  for (const std::string& arg : only) {
    if (fs::is_regular_file(arg))
      Measure({fs::path(arg).filename().string(), bench::LogKind::kGenerated, 0}, arg, runs);
  }
  for (const BenchLog& log : kLogs) {
    if (!only.empty() && std::find(only.begin(), only.end(), log.name) == only.end()) continue;
    if (NeedsGameTexts(log.kind) && !with_game_texts && write_dir.empty()) continue;
    if (!write_dir.empty()) {
      WriteLog(log, write_dir / (log.name + ".log"));
      continue;
    }
    const fs::path path =
        fs::temp_directory_path() / ("morvane-bench-" + std::to_string(getpid()) + "-" + log.name);
    WriteLog(log, path);
    Measure(log, path, runs);
    fs::remove(path);
  }
  return 0;
}
