#include "ui/desktop_command_line.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "files/data_folder.h"
#include "product.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

constexpr const char* kUsage =
    "usage: morvane [--dir DIR] [FILE]\n"
    "Urban Terror statistics: follows your games live or parses saved console logs,\n"
    "and shows kills, deaths, hits and flags in the stats viewer, as games and profiles.\n"
    "\n"
    "Arguments:\n"
    "  FILE         a saved game (.stg) or a profile (.mrv) to show in the stats viewer,\n"
    "               or a console log to parse\n"
    "\n"
    "Options:\n"
    "  --dir DIR    the data folder to use (see below)\n"
    "  --help       this text, and the data folder in use\n"
    "  --version    the version\n"
    "  Qt's own options (-platform NAME, -style NAME, ...) are understood as well.\n"
    "\n"
    "Data folder:\n";

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
  std::filesystem::path dir;
  bool help = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--version") {
      std::printf("morvane %s\n", std::string(kVersion).c_str());
      return 0;
    }
    if (arg == "--help" || arg == "-h") help = true;
    if (arg == "--dir" && i + 1 < argc) dir = argv[++i];
    if (arg.starts_with("--dir=")) dir = arg.substr(6);
  }
  if (!help) return std::nullopt;
  std::fputs(kUsage, stdout);
  std::fputs(kDataFolderHelp, stdout);
  std::printf("\nData folder in use: %s\n",
              DescribeDataFolder(ChooseDataFolder(SystemDataFolderPlaces(dir))).c_str());
  return 0;
}

DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments) {
  DesktopCommandLine line;
  bool only_files = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    if (!only_files && arg == QLatin1String("--")) {
      only_files = true;
    } else if (!only_files && arg == QLatin1String("--dir")) {
      if (i + 1 >= arguments.size()) {
        line.error = QStringLiteral("--dir needs a directory");
        return line;
      }
      line.dir = PathFromText(arguments[++i]);
    } else if (!only_files && arg.startsWith(QLatin1String("--dir="))) {
      line.dir = PathFromText(arg.mid(6));
    } else if (!only_files && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
      line.error = QStringLiteral("unknown option ") + arg + QStringLiteral(" (see --help)");
      return line;
    } else if (!line.file.isEmpty()) {
      line.error = QStringLiteral("one file at a time");
      return line;
    } else {
      line.file = arg;
    }
  }
  return line;
}

}  // namespace mrv::ui
