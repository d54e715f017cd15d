// CaptureDialog, the parse and monitor dialog in which every capture runs: the console
// monitor ("quake 3 console monitor") or the log-file parser ("logfile parser"), chosen
// when it is made. The main window makes it, sets the log file for a log, calls Execute
// and then takes the store when Execute returned true (ErrorMessage says why not otherwise;
// "Cancelled" needs no message).
//
//   CaptureDialog dialog(state, devices, file_dialogs, /*monitor=*/false, this);
//   dialog.SetLogFile(log);
//   if (dialog.Execute()) state.store = std::move(dialog.TakeStore());
//
// The capture runs on a worker thread (CaptureWorker); the dialog shows its status
// lines, its progress and its questions, lends it the options while it runs,
// and hands the store over only once the worker has finished. OK starts the capture
// and, pressed again, stops it to show the stats; Cancel and the close image end it
// with nothing shown; closing is refused while the capture runs. The minimise image
// and "minimize to tray" put the dialog into the tray (CaptureTray).
#pragma once

#include <QDialog>
#include <QPixmap>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "model/stats_store.h"
#include "ui/capture_worker.h"
#include "ui/desktop_prompt.h"

class QCheckBox;
class QLabel;
class QProgressBar;

namespace mrv::ui {

class CaptureDevices;
class CaptureTray;
class FileDialogs;
class MonitorOptionsBox;
class ProfilePicker;
class StatusLog;
class ImageButton;
class WindowFrame;
struct ProgramState;

inline constexpr const char* kCancelled = "Cancelled";

class CaptureDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{620, 452};

  CaptureDialog(ProgramState& state, CaptureDevices& devices, FileDialogs& file_dialogs, bool monitor,
             QWidget* parent = nullptr);
  ~CaptureDialog() override;

  bool Monitor() const { return monitor_; }
  void SetLogFile(const std::filesystem::path& log) { log_file_ = log; }
  // Runs the dialog modally; true when the capture produced stats to show. A log that
  // cannot be parsed fails at once, without the dialog.
  bool Execute();
  // The log's probe and its three status lines, which Execute starts with; false, with
  // ErrorMessage, when the log is empty or cannot be opened.
  bool PrepareLogFile();
  mrv::StatsStore& TakeStore() { return store_; }
  const std::string& ErrorMessage() const { return error_message_; }
  // The program's own sound volume, 0 to 255.
  void SetVolume(int volume);
  int GetVolume();
  // The bar and its percentage.
  void ShowProgress(int percent);
  // Escape, as QDialog has it: Cancel.
  void reject() override;

 signals:
  // The dialog has closed and its capture, if any, has finished.
  void ended();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  enum class OkState { kIdle, kRunning, kFinished };

  void BuildMonitorColumn();
  void BuildLogColumn();
  void FirstShow();
  void OkClicked();
  void CancelClicked();
  // The profile whose nicknames identify the player: opened and put into the loaded
  // profile slot, or the slot emptied for "<no profile loaded>". False after telling
  // that the profile cannot be opened.
  bool TakeSelectedProfile();
  void StartCapture();
  void CaptureFinished(CaptureWorker::End end);
  void SaveOptions();
  // The details button: the profile manager without its Open button, then the profile
  // list read again.
  void ShowProfileManager();
  // Closes the dialog unless the OK button is still running.
  void Finish();
  void EndWhenDone();

  ProgramState& state_;
  CaptureDevices& devices_;
  FileDialogs& file_dialogs_;
  const bool monitor_;
  DesktopPrompt prompt_;
  QPixmap background_;
  mrv::StatsStore store_;
  DeathTemplates templates_;
  GameTexts texts_;
  std::filesystem::path log_file_;
  std::uint64_t file_size_ = 0;
  std::string error_message_;

  OkState ok_state_ = OkState::kIdle;
  bool stats_ready_ = false;
  bool first_show_ = true;
  bool closed_ = false;
  bool capture_ended_ = false;

  WindowFrame* frame_;
  StatusLog* status_;
  ProfilePicker* profiles_;
  QWidget* console_box_ = nullptr;
  MonitorOptionsBox* options_box_ = nullptr;
  QCheckBox* minimize_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* percent_ = nullptr;
  ImageButton* ok_;
  ImageButton* cancel_;
  CaptureTray* tray_;
  // Last: it goes first, while everything the run uses is still there.
  std::unique_ptr<CaptureWorker> worker_;
};

}  // namespace mrv::ui
