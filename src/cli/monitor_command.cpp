// morvane-cli monitor: a live capture of the game's console until Ctrl-C, or until the
// game closes, then the report of what was captured. The capture keeps a journal in
// the recovery folder; it goes once the game was saved with --save, and stays
// otherwise, for `morvane-cli recover` (or the desktop program) to save it later.
#include <cstdio>
#include <iostream>
#include <memory>

#include "capture/capture_recorder.h"
#include "capture/capture_session.h"
#include "capture/console/configured_console.h"
#include "capture/monitor_run.h"
#include "cli/arguments.h"
#include "cli/process.h"
#include "cli/report_text.h"
#include "cli/setup.h"
#include "files/capture_options.h"
#include "files/console_choice.h"
#include "files/path_text.h"
#include "files/saved_game.h"

namespace mrv::cli {

namespace {

class TerminalStatus final : public MonitorStatus {
 public:
  void Clear() override {}
  void Add(std::string_view line) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
};

}  // namespace

int RunMonitorCommand(const Environment& env, const Arguments& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {"--nick", "--save"}, {"--keep-searching"}, error);
  if (!parsed || !parsed->positionals.empty()) {
    PrintError(parsed ? "monitor takes no file names (see --help)" : error);
    return kExitUsage;
  }
  // Nobody answers the game-lost question at a terminal: keep searching, or show the stats.
  ConsolePrompt prompt(parsed->Has("--keep-searching"));
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  const DeathTemplates templates = LoadDeathTemplates(env.data_dir, prompt);
  const GameTexts texts = LoadGameTexts(env.data_dir, prompt);
  std::string console_error;
  const std::unique_ptr<GameConsole> console =
      OpenConfiguredConsole(ReadConsoleChoice(env.data_dir), console_error);
  if (!console) {
    PrintError(console_error);
    return kExitFailure;
  }

  SystemClock clock;
  SilentSoundPlayer sound;
  SystemRandom random;
  CancelToken cancel;
  CaptureRecorder recorder(clock, random, prompt);
  StatsStore store(weapons->size());
  CaptureSession session(store, *weapons, templates,
                         {recorder.clock(), sound, recorder.random(), recorder.prompt(), cancel},
                         texts);
  CaptureOptions& options = session.state.options;
  LoadCaptureOptions(env.data_dir, options);
  options.monitor = true;
  options.own_nicknames = parsed->All("--nick");
  const std::string game_name = CurrentGameName();

  TerminalStatus status;
  session.services.console = &recorder.Record(*console, status);
  MonitorEnd end;
  {
    // Declared after the capture, the stop request ends first: it never stops a capture
    // that is gone.
    MonitorCapture capture(session, status);
    StopOnRequest stop;
    // After Ctrl-C is taken in hand: the journal's writing thread must not take it.
    recorder.StartJournal(env.data_dir, session);
    std::fputs("Press Ctrl-C to stop and show the stats.\n", stderr);
    capture.Start();
    stop.Watch(capture);
    end = capture.Join();
  }
  JournalFile journal = recorder.End();
  if (!ShowsStats(end)) {
    journal.Discard();
    PrintError("Cancelled");
    return kExitFailure;
  }

  PrintReportText(std::cout, ReportOf(game_name, store, *weapons, ReportWeapons::kLeftOut),
                  true);
  std::cout.flush();
  const auto save = parsed->Last("--save");
  const bool saved = save && SaveGame(store, PathFromUtf8(*save), game_name, prompt);
  if (saved) {
    journal.Discard();
  } else if (!journal.empty()) {
    std::fprintf(stderr,
                 "The capture is not saved; its journal stays, to save it later:\n"
                 "  morvane-cli recover \"%s\" --save GAME.stg\n",
                 Utf8FromPath(journal.path()).c_str());
  }
  if (save && !saved) return kExitFailure;
  // Like a kill of an unknown weapon, a store that reached its memory budget ends the
  // capture early: the report and the file hold what was counted.
  return end == MonitorEnd::kUnknownWeapon || end == MonitorEnd::kStoreFull ? kExitUnknownWeapon
                                                                            : kExitOk;
}

}  // namespace mrv::cli
