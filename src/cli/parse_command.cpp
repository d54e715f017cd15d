// morvane-cli parse: saved console logs parsed the way the log-file run does.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "capture/capture_session.h"
#include "capture/log_file_run.h"
#include "cli/arguments.h"
#include "cli/report_json.h"
#include "cli/report_text.h"
#include "cli/setup.h"
#include "files/path_text.h"
#include "files/saved_game.h"

namespace mrv::cli {

namespace {

// Progress on standard error, only for a person watching a terminal.
ProgressCallback TerminalProgress(const std::string& log) {
  if (!isatty(STDERR_FILENO)) return {};
  return [log](int percent) {
    std::fprintf(stderr, "\rParsing %s: %d%%", log.c_str(), percent);
    if (percent >= 100) std::fputc('\n', stderr);
  };
}

// A stream has no size to count against: the megabytes read so far.
ByteProgressCallback TerminalStreamProgress(const std::string& log) {
  if (!isatty(STDERR_FILENO)) return {};
  return [log](std::uint64_t bytes) {
    std::fprintf(stderr, "\rParsing %s: %llu MB", log.c_str(),
                 static_cast<unsigned long long>(bytes >> 20));
  };
}

// "-" (standard input), a pipe or a terminal: read once from start to end, as Unix
// tools read them (zcat old.log.gz | morvane-cli parse -).
bool IsStream(const std::filesystem::path& log) {
  std::error_code error;
  const auto status = std::filesystem::status(log, error);
  return log == "-" || std::filesystem::is_fifo(status) ||
         std::filesystem::is_character_file(status);
}

LogParseResult Parse(CaptureSession& session, const std::string& log) {
  const std::filesystem::path path = PathFromUtf8(log);
  if (!IsStream(path)) return ParseLogFile(session, path, TerminalProgress(log));
  const LogParseResult result = ParseLogStream(session, path, TerminalStreamProgress(log));
  if (isatty(STDERR_FILENO)) std::fputc('\n', stderr);
  return result;
}

}  // namespace

int RunParseCommand(const Environment& env, const Arguments& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {"--nick", "--game-name", "--save"}, {"--json"}, error);
  if (!parsed || parsed->positionals.empty()) {
    PrintError(parsed ? "parse needs at least one log file" : error);
    return kExitUsage;
  }
  // Told before the log is read: the name is the first line of the saved game.
  if (const auto name = parsed->Last("--game-name"); name && !IsStorableName(*name)) {
    PrintError("--game-name takes one line of at most " + std::to_string(kMaxGameFileLine) +
               " bytes, the longest line a saved game holds");
    return kExitUsage;
  }
  ConsolePrompt prompt;
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  const DeathTemplates templates = LoadDeathTemplates(env.data_dir, prompt);
  const GameTexts texts = LoadGameTexts(env.data_dir, prompt);

  SystemClock clock;
  SilentSoundPlayer sound;
  SystemRandom random;
  CancelToken cancel;
  StatsStore store(weapons->size());
  bool ended_early = false;
  for (const auto& log : parsed->positionals) {
    CaptureSession session(store, *weapons, templates, {clock, sound, random, prompt, cancel},
                           texts);
    session.state.options.monitor = false;
    session.state.options.own_nicknames = parsed->All("--nick");
    const LogParseResult result = Parse(session, log);
    if (!result.show_stats) {
      PrintError(result.ErrorMessage + " (" + log + ")");
      return kExitFailure;
    }
    if (result.unknown_weapon || result.store_full) {
      ended_early = true;
      break;  // the capture ends there, as it would in the program
    }
  }

  const std::string game_name = parsed->Last("--game-name").value_or(CurrentGameName());
  // Only the JSON report lists each player's weapons.
  const bool json = parsed->Has("--json");
  const Report report =
      ReportOf(game_name, store, *weapons, json ? ReportWeapons::kListed : ReportWeapons::kLeftOut);
  if (json) {
    PrintReportJson(std::cout, report, false);
  } else {
    PrintReportText(std::cout, report, false);
  }
  std::cout.flush();
  if (const auto save = parsed->Last("--save")) {
    if (!SaveGame(store, PathFromUtf8(*save), game_name, prompt)) return kExitFailure;
  }
  // Like a kill of an unknown weapon, a store that reached its memory budget ends the
  // capture early: the report and the file hold what was counted.
  return ended_early ? kExitUnknownWeapon : kExitOk;
}

}  // namespace mrv::cli
