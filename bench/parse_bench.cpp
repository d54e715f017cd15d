// Log-file parsing throughput and memory, on three kinds of log:
// - "generated": a console log written the way a long run of evenings would leave it
//   (map loads, joins, kills through every shipped template, hits, flags, chat, noise);
// - "later_text": the same evenings as Urban Terror 4.1 and later versions print them
//   (hits with a damage part, the hits of a watched player, names in colour in kill
//   lines, "13 crosshairs parsed"), parsed only with --texts;
// - "long_session": samples/long_session.log repeated, whose renames touch every map
//   met so far, so the parse must not slow down as the store grows.
// Each run parses one log through the real log-file run and interpreter in a child
// process, so that the peak memory reported is that log's own.
//
// Prints, per log, one line each:
//   parse_mb_s NAME VALUE       median over the runs, per second of CPU time (user and
//                               system) of the parsing process: on a machine shared with
//                               other work, wall time also counts the waits for a core
//   parse_wall_mb_s NAME VALUE  the same per second of wall time
//   peak_rss_mb NAME VALUE      largest over the runs
//   bare_split_mb_s NAME VALUE  the floor: read the file and find its line breaks
//
// Usage: parse_bench [--runs N] [--texts] [--write DIR] [NAME | FILE...]
//   --texts   parse with the shipped GameTexts.txt loaded, as the programs do; without
//             it, with the older game text only
//   NAME      only these logs (default: all); --write puts the logs in DIR and exits,
//             for timing the command-line tool on the same bytes.
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
#include <random>
#include <string>
#include <vector>

#include "capture/capture_session.h"
#include "capture/log_file_run.h"
#include "files/settings.h"
#include "model/body.h"

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

class LogWriter {
 public:
  LogWriter(std::FILE* out, bool later_text) : out_(out), later_text_(later_text) {
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
         {std::pair{"<KILLER>", Named(killer)}, std::pair{"<VICTIM>", Named(victim)}}) {
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
    const char* crosshairs = later_text_ ? "13 crosshairs parsed" : "8 crosshairs parsed";
    for (const char* text :
         {"RE_Shutdown( 0 )", "Hunk_Clear: reset the hunk ok", "----- R_Init -----",
          "GL_VENDOR: Mesa", "Loading vm file vm/ui.qvm...", "35 bots parsed", crosshairs,
          "Loading vm file vm/cgame.qvm...", crosshairs, "CL_InitCGame: 11.85 seconds",
          "61 msec to draw all images", "Com_TouchMemory: 0 msec"}) {
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

  // A name as kill lines print it: later versions wrap it in a team colour.
  std::string Named(const std::string& nick) { return later_text_ ? "^1" + nick + "^7" : nick; }

  // A hit's location: one of the older text's 21 names, or of 4.1's six.
  std::string Where() {
    static const std::vector<std::string> later = {"Head",   "Helmet", "Torso",
                                                   "Kevlar", "Arms",   "Legs"};
    if (!later_text_) return std::string(mrv::HitLocations[random_() % mrv::kHitLocationCount]);
    return Pick(later);
  }
  // What ends a hit line: nothing in the older text, the damage in 4.1's.
  std::string Damage() {
    return later_text_ ? " for " + std::to_string(random_() % 100 + 1) + "% damage." : ".";
  }

  void Event(const std::vector<std::string>& players) {
    const std::string& a = Pick(players);
    const std::string& b = Pick(players);
    const std::string location = Where();
    switch (random_() % 12) {
      case 0:
      case 1:
      case 2:
        Line(Kill(a, b));
        break;
      case 3:
        Line("You hit " + b + " in the " + location + Damage());
        if (Chance(40)) Line(Kill("Morv", b));
        break;
      case 4:
        Line("You were hit in the " + location + " by " + a + Damage());
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
        if (later_text_ && Chance(30)) {
          Line(a + " hit " + b + " in the " + location + Damage());  // a watched player's hit
          break;
        }
        Line(Chance(50) ? "^5PunkBuster Client: Player Guid Computed " + std::to_string(random_()) +
                              "(-) (slot #3)"
                        : a + " entered the game");
    }
  }

  std::FILE* out_;
  bool later_text_;
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

// The sample evening written again and again until the log has the size asked for.
void WriteRepeatedSample(std::FILE* out, std::uint64_t bytes) {
  std::FILE* in = std::fopen((kSourceDir / "samples" / "long_session.log").string().c_str(), "rb");
  if (in == nullptr) std::abort();
  std::vector<char> sample(1 << 20);
  sample.resize(std::fread(sample.data(), 1, sample.size(), in));
  std::fclose(in);
  for (std::uint64_t written = 0; written < bytes; written += sample.size()) {
    std::fwrite(sample.data(), 1, sample.size(), out);
  }
}

enum class LogKind { kGenerated, kLaterText, kRepeatedSample };

struct BenchLog {
  std::string name;
  LogKind kind;
  int megabytes;
};

const std::vector<BenchLog> kLogs = {
    {"generated_20mb", LogKind::kGenerated, 20},
    {"generated_200mb", LogKind::kGenerated, 200},
    {"later_text_20mb", LogKind::kLaterText, 20},
    {"long_session_20mb", LogKind::kRepeatedSample, 20},
    {"long_session_200mb", LogKind::kRepeatedSample, 200},
};

void WriteLog(const BenchLog& log, const fs::path& path) {
  std::FILE* out = std::fopen(path.string().c_str(), "wb");
  if (out == nullptr) std::abort();
  const auto bytes = static_cast<std::uint64_t>(log.megabytes) << 20;
  if (log.kind == LogKind::kRepeatedSample) {
    WriteRepeatedSample(out, bytes);
  } else {
    LogWriter(out, log.kind == LogKind::kLaterText).Write(bytes);
  }
  std::fclose(out);
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds to parse the log, as the log-file capture does.
double ParseOnce(const fs::path& log) {
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
    std::fprintf(stderr, "parse_bench: %s was not read to its end (an unknown weapon, or a "
                 "later version's log read without --texts)\n", log.string().c_str());
    std::abort();
  }
  return Seconds(start);
}

struct RunFigures {
  double seconds = 0;      // wall time of the parse
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
    const double seconds = ParseOnce(log);
    if (write(pipe_ends[1], &seconds, sizeof seconds) != sizeof seconds) _exit(1);
    _exit(0);
  }
  close(pipe_ends[1]);
  RunFigures figures;
  if (read(pipe_ends[0], &figures.seconds, sizeof figures.seconds) != sizeof figures.seconds)
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
  for (int i = 0; i < runs; ++i) {
    const RunFigures run = ParseInChild(path);
    speeds.push_back(mb / run.cpu_seconds);
    wall_speeds.push_back(mb / run.seconds);
    peak = std::max(peak, run.peak_rss_mb);
  }
  std::printf("parse_mb_s %s %.1f\n", log.name.c_str(), Median(speeds));
  std::printf("parse_wall_mb_s %s %.1f\n", log.name.c_str(), Median(wall_speeds));
  std::printf("peak_rss_mb %s %.1f\n", log.name.c_str(), peak);
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
      Measure({fs::path(arg).filename().string(), LogKind::kGenerated, 0}, arg, runs);
  }
  for (const BenchLog& log : kLogs) {
    if (!only.empty() && std::find(only.begin(), only.end(), log.name) == only.end()) continue;
    // Read as the older text, the later text fills the store: all its maps count as one.
    if (log.kind == LogKind::kLaterText && !with_game_texts && write_dir.empty()) continue;
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
