// morvane-cli show: the report of a saved game.
#include <iostream>

#include "cli/arguments.h"
#include "cli/report_json.h"
#include "cli/report_text.h"
#include "cli/setup.h"
#include "files/path_text.h"
#include "files/saved_game.h"

namespace mrv::cli {

int RunShowCommand(const Environment& env, const Arguments& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {}, {"--json"}, error);
  if (!parsed || parsed->positionals.size() != 1) {
    PrintError(parsed ? "show needs exactly one saved game file" : error);
    return kExitUsage;
  }
  ConsolePrompt prompt;
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  StatsStore store(weapons->size());
  std::string game_name;
  if (!LoadGame(store, PathFromUtf8(parsed->positionals[0]), game_name, prompt)) {
    // A file holding only its name fails without a message of its own.
    if (prompt.shown() == 0) PrintError("no game in " + parsed->positionals[0]);
    return kExitFailure;
  }
  // Saved games come from live captures, which know the time played.
  // Only the JSON report lists each player's weapons.
  const bool json = parsed->Has("--json");
  const Report report =
      ReportOf(game_name, store, *weapons, json ? ReportWeapons::kListed : ReportWeapons::kLeftOut);
  if (json) {
    PrintReportJson(std::cout, report, true);
  } else {
    PrintReportText(std::cout, report, true);
  }
  return kExitOk;
}

}  // namespace mrv::cli
