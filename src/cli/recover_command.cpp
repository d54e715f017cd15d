// morvane-cli recover: the captures a crash cut short. Without a journal it lists
// those of the recovery folder that no running capture holds; with one it replays it
// and prints the game's report as parse does, saving it with --save, after which the
// journal goes.
#include <cstdio>
#include <iostream>
#include <memory>

#include "capture/journal_replay.h"
#include "cli/arguments.h"
#include "cli/report_json.h"
#include "cli/report_text.h"
#include "cli/setup.h"
#include "files/path_text.h"
#include "files/recovery_folder.h"
#include "files/saved_game.h"

namespace mrv::cli {

namespace {

int ListUnfinished(const Environment& env) {
  for (const UnfinishedCapture& capture : FindUnfinishedCaptures(env.data_dir)) {
    std::printf("%s  %s\n", capture.started.c_str(), Utf8FromPath(capture.file).c_str());
  }
  return kExitOk;
}

}  // namespace

int RunRecoverCommand(const Environment& env, const Arguments& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {"--save", "--game-name"}, {"--json"}, error);
  if (!parsed || parsed->positionals.size() > 1) {
    PrintError(parsed ? "recover takes one journal at a time" : error);
    return kExitUsage;
  }
  if (parsed->positionals.empty()) {
    if (!parsed->values.empty() || !parsed->flags.empty()) {
      PrintError("recover needs a journal to rebuild (see --help)");
      return kExitUsage;
    }
    return ListUnfinished(env);
  }
  const std::string file = parsed->positionals[0];
  const std::filesystem::path path = PathFromUtf8(file);
  // Never a journal a running capture is writing.
  JournalFile journal = ClaimJournal(path);
  if (journal.empty()) {
    PrintError(file + " belongs to a capture that is still running");
    return kExitFailure;
  }
  // Held apart so that its file can be closed before the journal is removed: Windows
  // removes no open file.
  auto replay = std::make_unique<JournalReplay>();
  if (!replay->Open(path, error)) {
    PrintError(file + " " + error);
    return kExitFailure;
  }
  StatsStore store(replay->weapons().size());
  const RecoveryReport recovered = replay->Run(store);
  for (const std::string& message : recovered.messages) PrintError(message);
  if (!recovered.damage.empty()) {
    PrintError("the journal is damaged " + recovered.damage +
               "; the capture is rebuilt up to there");
  }
  if (!recovered.journaling_stopped.empty()) {
    PrintError("the journal ends where journaling stopped (" + recovered.journaling_stopped + ")");
  }

  const std::string game_name =
      parsed->Last("--game-name").value_or(RecoveredGameName(recovered.started));
  const bool json = parsed->Has("--json");
  // The weapon table the capture counted with, which the journal holds.
  const Report report = ReportOf(game_name, store, replay->weapons(),
                                 json ? ReportWeapons::kListed : ReportWeapons::kLeftOut);
  if (json) {
    PrintReportJson(std::cout, report, true);
  } else {
    PrintReportText(std::cout, report, true);
  }
  std::cout.flush();
  if (const auto save = parsed->Last("--save")) {
    ConsolePrompt prompt;
    if (!SaveGame(store, PathFromUtf8(*save), game_name, prompt)) return kExitFailure;
    // The game is in its file now.
    replay.reset();
    journal.Discard();
  }
  return recovered.end == MonitorEnd::kUnknownWeapon || recovered.end == MonitorEnd::kStoreFull
             ? kExitUnknownWeapon
             : kExitOk;
}

}  // namespace mrv::cli
