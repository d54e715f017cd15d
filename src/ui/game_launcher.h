// The monitor dialog's "start the game": runs `morvane-console -- GamePath +set ttycon 1`
// (with `--socket BridgeSocket` when that is set) with the console bridge beside the
// program (or else on PATH), detached, so that the game outlives the dialog and a
// capture (OK) finds it. The first start asks for the game's program with the open
// dialog and keeps it as GamePath in section Monitor of stats.ini, but only a file that
// can be run: anything else is told and asked for again. A kept program that can no
// longer be run is told and asked for again too, and Change asks for another one at any
// time. A game that does not start is told in the program's message box, also when the
// bridge reports the failure a moment after it started.
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <filesystem>
#include <memory>

class QTemporaryFile;
class QWidget;

namespace mrv::ui {

class FileDialogs;

class GameLauncher : public QObject {
  Q_OBJECT

 public:
  // Long enough for the bridge to have started the game or said why not.
  static constexpr std::chrono::milliseconds kStartCheck{1500};

  GameLauncher(std::filesystem::path data_dir, std::filesystem::path program_dir,
               FileDialogs& file_dialogs, QWidget* window);
  ~GameLauncher() override;

  void Start();
  // Asks for the game's program, starting in the kept one's folder; keeps what the
  // player chooses. Nothing changes when he cancels.
  void Change();
  // What the "change..." link's hint says: the kept program, or that there is none.
  QString Kept() const;

 private:
  // GamePath while it names a program, else the program the player chooses (then kept);
  // empty when cancelled.
  QString Game();
  // Asks until the player chooses a program that can be started (kept, and returned) or
  // cancels (empty).
  QString Choose(const std::string& kept);
  // What the bridge wrote: its failure, if it reported one.
  void CheckStarted();
  void Fail(const QString& why);

  std::filesystem::path data_dir_;
  std::filesystem::path program_dir_;
  FileDialogs& file_dialogs_;
  QWidget* window_;
  // The bridge's own messages of the last start, until they were checked.
  std::unique_ptr<QTemporaryFile> bridge_messages_;
};

}  // namespace mrv::ui
