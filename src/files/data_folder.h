// Where the programs keep what they read and write: stats.ini, DeathMsgs.txt,
// GameTexts.txt, the saved games (games/), the profiles (*.mrv) and the capture
// journals (recovery/). One rule for every program, the first that applies:
//   1. the folder named on the command line (--dir DIR);
//   2. the folder named by the environment variable MORVANE_DIR;
//   3. the program's own folder, when it holds stats.ini and a file can be created and
//      removed there (a build folder, an unpacked portable folder, Windows);
//   4. the user's data folder (UserDataFolder), in the same layout.
// An installed program therefore never writes beside itself.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace mrv {

inline constexpr const char* kDataFolderVariable = "MORVANE_DIR";
// What a seeded data folder receives; stats.ini, the one it must hold, comes first.
inline constexpr std::array<const char*, 3> kShippedFiles = {"stats.ini", "DeathMsgs.txt",
                                                             "GameTexts.txt"};

// The rule as every program's --help tells it, under a "Data folder:" heading.
inline constexpr const char* kDataFolderHelp =
    "  stats.ini, DeathMsgs.txt and GameTexts.txt are read from the data folder, and saved\n"
    "  games (games/) and profiles (NAME.mrv) live there. It is the first of: --dir DIR;\n"
    "  the folder in the environment variable MORVANE_DIR; the programs' own folder, when\n"
    "  it holds stats.ini and is writable (a portable folder); $XDG_DATA_HOME/morvane\n"
    "  (by default ~/.local/share/morvane). A data folder without stats.ini receives the\n"
    "  shipped files.\n";

enum class DataFolderSource { kOption, kEnvironment, kProgramFolder, kUserFolder };

// What the rule chooses from; an empty path is a place that is not given.
struct DataFolderPlaces {
  std::filesystem::path option;       // --dir
  std::filesystem::path environment;  // MORVANE_DIR
  std::filesystem::path program_dir;  // the running program's folder
  std::filesystem::path user_dir;     // the user's data folder
};

// The running program's places, with `option` from its command line.
DataFolderPlaces SystemDataFolderPlaces(std::filesystem::path option);

struct DataFolder {
  std::filesystem::path dir;  // empty when the system names no folder at all (no home)
  DataFolderSource source = DataFolderSource::kUserFolder;
  std::filesystem::path program_dir;
};

// Looks, changes nothing.
DataFolder ChooseDataFolder(const DataFolderPlaces& places);

// The folder and why it was chosen, for --help and the about window:
// "/home/me/.local/share/morvane (the user's data folder)".
std::string DescribeDataFolder(const DataFolder& folder);

// Makes the folder when it is missing and, when it holds no stats.ini, copies the
// shipped files into it byte for byte from the first of <program folder> and
// <program folder>/../share/morvane that holds stats.ini. A file that exists is never
// replaced, and a folder that holds stats.ini is left alone (a GameTexts.txt the user
// deleted stays deleted). Programs starting at the same time seed the folder once.
// Nothing to seed from is no failure: reading stats.ini then fails with its own message.
// False, with a message naming the folder, when it cannot be made or written.
bool PrepareDataFolder(const DataFolder& folder, std::string& error);

enum class CopyOutcome { kCopied, kExisted, kFailed };

// Copies `from` to `to` byte for byte unless `to` exists, through a temporary file so
// that `to` never holds half a file; the copy is writable by its owner whatever the
// original's mode. `error` says why on kFailed.
CopyOutcome CopyFileIfMissing(const std::filesystem::path& from, const std::filesystem::path& to,
                              std::string& error);

}  // namespace mrv
