// The "Monitor:" box of the capture dialog: which console a live capture will read,
// as section Monitor of stats.ini chooses it (the game under the console bridge, a
// followed qconsole.log, the game's console window), one line on what the player must
// do for it, and, for the bridge, the button that starts the game under it.
#pragma once

#include <QGroupBox>
#include <QString>
#include <filesystem>

#include "files/console_choice.h"

namespace mrv::ui {

class FileDialogs;

struct ConsoleAdvice {
  QString console;           // which console
  QString todo;              // what the player must do, in one line
  bool starts_game = false;  // the game can be started from the dialog
};

ConsoleAdvice AdviceFor(const ConsoleChoice& choice);

class MonitorConsoleBox : public QGroupBox {
  Q_OBJECT

 public:
  // The bridge is looked for in `program_dir`, then on PATH.
  MonitorConsoleBox(const std::filesystem::path& data_dir, const std::filesystem::path& program_dir,
                    FileDialogs& file_dialogs, QWidget* parent);
};

}  // namespace mrv::ui
