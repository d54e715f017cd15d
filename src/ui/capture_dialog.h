// CaptureDialog, the dialog in which every capture runs: the console monitor ("quake 3
// console monitor") or the parser of a saved log ("logfile parser"), chosen by the
// constructor. The main window makes it, calls Execute and then takes the store when
// Execute returned true (ErrorMessage says why not otherwise; "Cancelled" needs no
// message).
//
//   CaptureDialog dialog(state, devices, log, this);
//   if (dialog.Execute()) state.store = std::move(dialog.TakeStore());
//
// The dialog is a shell around its mode's left column (capture_column.h: MonitorColumn,
// LogFileColumn). The shell holds what both modes share: the frame, the status lines,
// the profile picker, OK and Cancel, the worker and the tray. The capture runs on a
// worker thread (CaptureWorker); the shell shows its status lines and its questions and
// hands the store over only once the worker has finished. OK (or Enter) loads the chosen
// profile and starts the capture and, pressed again, stops it to show the stats; Cancel,
// Escape and the close image all end it through CancelClicked, with nothing shown (a live
// capture that counted anything asks first, and goes on unless told to stop); closing is
// refused while the capture runs. The minimise image puts the dialog into the tray
// (CaptureTray). Tab goes down the column, then the profile picker, OK and Cancel. A live
// capture's journal comes with its store (TakeJournal).
#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>

#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "files/journal_writer.h"
#include "model/stats_store.h"
#include "ui/capture_worker.h"
#include "ui/desktop_prompt.h"
#include "ui/window_art.h"

namespace mrv::ui {

class CaptureColumn;
class CaptureDevices;
class CaptureTray;
class FileDialogs;
class ImageButton;
class ProfilePicker;
class StatusLog;
class WindowFrame;
struct ProgramState;

inline constexpr const char* kCancelled = "Cancelled";

class CaptureDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{620, 452};

  // The console monitor.
  CaptureDialog(ProgramState& state, CaptureDevices& devices, FileDialogs& file_dialogs,
                QWidget* parent = nullptr);
  // The parser of the saved console log `log`.
  CaptureDialog(ProgramState& state, CaptureDevices& devices, std::filesystem::path log,
                QWidget* parent = nullptr);
  ~CaptureDialog() override;

  // Runs the dialog modally; true when the capture produced stats to show. A log that
  // cannot be parsed fails at once, without the dialog.
  bool Execute();
  mrv::StatsStore& TakeStore() { return store_; }
  // With the store, the monitor's journal, to be discarded once the game was saved or
  // dropped; empty when there is none. A cancelled capture's journal is gone already.
  JournalFile TakeJournal() { return std::move(journal_); }
  const std::string& ErrorMessage() const { return error_message_; }
  // Escape, as QDialog has it: Cancel.
  void reject() override;

 signals:
  // The dialog has closed and its capture, if any, has finished.
  void ended();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  enum class OkState { kIdle, kRunning, kFinished };

  // The shell; the public constructors add their column.
  CaptureDialog(ProgramState& state, CaptureDevices& devices, QWidget* parent,
                const QString& title);
  // The Tab order of a dialog whose column has just been made.
  void PutColumnFirst();

  void OkClicked();
  // Cancel, Escape and the close image.
  void CancelClicked();
  // The profile whose nicknames identify the player: opened and put into the loaded
  // profile slot, or the slot emptied for "<no profile loaded>". False after telling
  // that the profile cannot be opened.
  bool TakeSelectedProfile();
  void StartCapture();
  void CaptureFinished(CaptureWorker::End end);
  // The details button: the profile manager without its Open button, then the profile
  // list read again.
  void ShowProfileManager();
  // Closes the dialog unless the OK button is still running.
  void Finish();
  void EndWhenDone();

  ProgramState& state_;
  CaptureDevices& devices_;
  DesktopPrompt prompt_;
  ArtPicture background_;
  mrv::StatsStore store_;
  DeathTemplates templates_;
  GameTexts texts_;
  std::string error_message_;
  JournalFile journal_;

  OkState ok_state_ = OkState::kIdle;
  bool stats_ready_ = false;
  bool first_show_ = true;
  bool closed_ = false;
  bool capture_ended_ = false;

  // The widgets and the column are the dialog's children.
  WindowFrame* frame_;
  StatusLog* status_;
  ProfilePicker* profiles_;
  ImageButton* ok_;
  ImageButton* cancel_;
  CaptureTray* tray_;
  CaptureColumn* column_ = nullptr;
  // Last: it goes first, while everything the run uses is still there.
  std::unique_ptr<CaptureWorker> worker_;
};

}  // namespace mrv::ui
