// morvane-cli: the statistics core from the command line.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/cli.h"

namespace {

using mrv::cli::Arguments;
using mrv::cli::Environment;

constexpr const char* kUsage =
    "usage: morvane-cli [--dir DIR] VERB [ARGUMENTS]\n"
    "\n"
    "  parse LOG... [--nick NAME]... [--game-name NAME] [--save FILE] [--json]\n"
    "      Parse saved console logs and print the statistics per map and for all maps.\n"
    "      A LOG may be a pipe, or - for standard input (zcat old.log.gz | ... parse -).\n"
    "      --nick names the player's own nicknames (for the killing-hit figures),\n"
    "      --save writes the result as a saved game file.\n"
    "  show GAME.stg [--json]\n"
    "      Print the statistics of a saved game.\n"
    "  profile create NAME --nick NICK [--notes TEXT] | list | show NAME [--json]\n"
    "          | add NAME GAME.stg | remove NAME NUMBER... | nick NAME add|remove|up|down NICK\n"
    "      Manage player profiles.\n"
    "  monitor [--nick NAME]... [--save FILE] [--keep-searching]\n"
    "      Capture a live game from the console configured in stats.ini.\n"
    "\n"
    "  --dir DIR    the program directory, where stats.ini and DeathMsgs.txt are read and\n"
    "               saved games and profiles live (default: this program's own folder)\n"
    "  --help       this text\n"
    "  --version    the version\n";

struct Verb {
  const char* name;
  int (*run)(const Environment&, const Arguments&);
};

constexpr Verb kVerbs[] = {
    {"parse", mrv::cli::RunParseCommand},
    {"show", mrv::cli::RunShowCommand},
    {"monitor", mrv::cli::RunMonitorCommand},
    {"profile", mrv::cli::RunProfileCommand},
};

// A report that never reached its reader is a failure, not a success with a cut report.
int FinishOutput(int exit_code) {
  std::cout.flush();
  const bool written = std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  if (written) return exit_code;
  std::fputs("morvane-cli: unable to write to standard output\n", stderr);
  return mrv::cli::kExitFailure;
}

std::filesystem::path ExecutableDir(const char* argv0) {
  std::error_code error;
  const auto self = std::filesystem::canonical("/proc/self/exe", error);
  if (!error) return self.parent_path();
  return std::filesystem::absolute(argv0, error).parent_path();
}

int Run(int argc, char** argv) {
  Environment env{ExecutableDir(argv[0])};
  Arguments rest;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return mrv::cli::kExitOk;
    }
    if (arg == "--version") {
      std::printf("morvane-cli %s\n", MORVANE_VERSION);
      return mrv::cli::kExitOk;
    }
    if (arg == "--dir") {
      if (i + 1 >= argc) {
        std::fputs("morvane-cli: --dir needs a directory\n", stderr);
        return mrv::cli::kExitUsage;
      }
      env.program_dir = argv[++i];
    } else if (arg.rfind("--dir=", 0) == 0) {
      env.program_dir = arg.substr(6);
    } else {
      rest.push_back(arg);
    }
  }
  if (rest.empty()) {
    std::fputs(kUsage, stderr);
    return mrv::cli::kExitUsage;
  }
  for (const Verb& verb : kVerbs) {
    if (rest[0] == verb.name) return verb.run(env, Arguments(rest.begin() + 1, rest.end()));
  }
  std::fprintf(stderr, "morvane-cli: unknown verb '%s' (see --help)\n", rest[0].c_str());
  return mrv::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  return FinishOutput(Run(argc, argv));
}
