// The desktop program's command line: morvane [--dir DIR] [FILE], --help, --version.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace mrv::ui {

// --help (with the data folder it would use) and --version, printed on standard output
// before any window or display is needed; the exit code then, nothing otherwise.
std::optional<int> AnswerWithoutWindow(int argc, char** argv);

struct DesktopCommandLine {
  std::filesystem::path dir;  // --dir; empty when not given
  QString file;               // a saved game, a profile or a log to open; may be empty
  QString error;              // wrong usage; the program then ends
};

// Reads the arguments the application left (Qt's own are gone), the program's name first.
DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments);

}  // namespace mrv::ui
