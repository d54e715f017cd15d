#include "ui/capture_dialog.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>

#include "files/capture_options.h"
#include "ui/capture_column.h"
#include "ui/capture_devices.h"
#include "ui/capture_tray.h"
#include "ui/image_button.h"
#include "ui/keyboard_focus.h"
#include "ui/log_file_column.h"
#include "ui/message_dialog.h"
#include "ui/monitor_column.h"
#include "ui/object_names.h"
#include "ui/profile_manager_window.h"
#include "ui/profile_picker.h"
#include "ui/program_state.h"
#include "ui/status_log.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

using namespace capture_layout;

constexpr const char* kDropQuestion =
    "The capture has counted stats that are not saved!\r\n\nStop it and throw them away?";

// The profile picker's column, right of the mode's.
constexpr int kRight = 318;
constexpr int kRightWidth = 292;

}  // namespace

CaptureDialog::CaptureDialog(ProgramState& state, CaptureDevices& devices,
                             FileDialogs& file_dialogs, QWidget* parent)
    : CaptureDialog(state, devices, parent, QStringLiteral("quake 3 console monitor")) {
  column_ = new MonitorColumn(*this, *status_, *tray_, state, devices, file_dialogs);
  PutColumnFirst();
}

CaptureDialog::CaptureDialog(ProgramState& state, CaptureDevices& devices,
                             std::filesystem::path log, QWidget* parent)
    : CaptureDialog(state, devices, parent, QStringLiteral("logfile parser")) {
  column_ = new LogFileColumn(*this, *status_, *profiles_, prompt_, std::move(log));
  PutColumnFirst();
}

CaptureDialog::CaptureDialog(ProgramState& state, CaptureDevices& devices, QWidget* parent,
                             const QString& title)
    : QDialog(parent),
      state_(state),
      devices_(devices),
      prompt_(this),
      background_(art::kPanelBackground),
      store_(state.weapons.size()),
      frame_(new WindowFrame(this, title,
                             {.on_minimise = [this] { tray_->HideDialog(); },
                              .on_close = [this] { CancelClicked(); }})),
      status_(new StatusLog(this)),
      profiles_(new ProfilePicker(state.profile_store, this)),
      ok_(DialogButton(this, art::kButtonOk, QStringLiteral("OK"), names::kOkButton)),
      cancel_(DialogButton(this, art::kButtonCancel, QStringLiteral("Cancel"), names::kCancelButton)),
      tray_(new CaptureTray(*this)) {
  setObjectName(names::kCaptureDialog);
  setFixedSize(kSize);
  // Check boxes that show their box on the dark background.
  setStyleSheet(
      QStringLiteral("QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid #6a6a6a;"
                     " border-radius: 2px; background: #141414; }"
                     "QCheckBox::indicator:checked { background: #2a80d8; border-color: #5aa0e8; }"
                     "QCheckBox::indicator:disabled { border-color: #3a3a3a; }"
                     "QCheckBox::indicator:checked:disabled { background: #2a4a6a; }"));
  profiles_->setGeometry(kRight, kTop, kRightWidth, kButtonsTop - 8 - kTop);
  ok_->move(450, kButtonsTop);
  cancel_->move(535, kButtonsTop);
  connect(status_, &StatusLog::lastLineChanged, tray_, &CaptureTray::SetHint);
  connect(ok_, &ImageButton::clicked, this, &CaptureDialog::OkClicked);
  connect(cancel_, &ImageButton::clicked, this, &CaptureDialog::CancelClicked);
  connect(profiles_, &ProfilePicker::detailsClicked, this, &CaptureDialog::ShowProfileManager);
  // A missing file is told here, and the capture counts all but kills.
  templates_ = LoadDeathTemplates(state.data_dir, prompt_);
  texts_ = LoadGameTexts(state.data_dir, prompt_);
}

CaptureDialog::~CaptureDialog() = default;

void CaptureDialog::PutColumnFirst() {
  // The column's widgets were made after the shell's; Tab visits them first, left to right.
  MoveToTabOrderEnd(*profiles_);
  MoveToTabOrderEnd(*ok_);
  MoveToTabOrderEnd(*cancel_);
}

bool CaptureDialog::Execute() {
  if (!column_->Ready(error_message_)) return false;
  // Modal like exec(), but a loop of our own: the dialog may hide in the tray while the
  // capture runs, which would end exec().
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop loop;
  connect(this, &CaptureDialog::ended, &loop, &QEventLoop::quit);
  loop.exec();
  return stats_ready_;
}

void CaptureDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  column_->Shown(first_show_);
  first_show_ = false;
}

void CaptureDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  column_->Hidden();
}

void CaptureDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  Finish();
}

void CaptureDialog::reject() {
  CancelClicked();
}

void CaptureDialog::keyPressEvent(QKeyEvent* event) {
  // Enter is OK wherever it is not taken (a focused button presses itself).
  if (IsEnterKey(*event)) {
    OkClicked();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CaptureDialog::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void CaptureDialog::OkClicked() {
  switch (ok_state_) {
    case OkState::kIdle:
      if (TakeSelectedProfile()) StartCapture();
      break;
    case OkState::kRunning:
      // "Click OK to stop and view stats": the run unwinds and its stats are shown.
      if (worker_ != nullptr && !capture_ended_) {
        ok_state_ = OkState::kFinished;
        stats_ready_ = true;
        worker_->Stop();
        Finish();
      }
      break;
    case OkState::kFinished:
      break;
  }
}

void CaptureDialog::CancelClicked() {
  const bool running = worker_ != nullptr && !capture_ended_;
  // A live capture that counted anything is not thrown away unasked.
  if (running && worker_->Counted()) {
    QString unused;
    if (!AskBox(PlainLineBreaks(QString::fromLatin1(kDropQuestion)), QStringLiteral("?"), unused,
                {}, this)) {
      return;
    }
  }
  if (worker_ != nullptr && !capture_ended_) worker_->Cancel();
  stats_ready_ = false;
  ok_state_ = OkState::kFinished;
  error_message_ = kCancelled;
  Finish();
}

bool CaptureDialog::TakeSelectedProfile() {
  ProfileStore& profile_store = state_.profile_store;
  // The profile store holds one file at a time: whatever it holds gives way.
  if (profile_store.Active()) profile_store.Close();
  state_.loaded_profile.reset();
  const std::string file = profiles_->SelectedFile();
  if (file.empty()) return true;
  if (!profile_store.Open(file)) {
    InformationBox(MessageText(kProfileLocked), QStringLiteral("ERROR!"), this);
    return false;
  }
  state_.loaded_profile = ProfileRecord{file, profiles_->Nicknames(), std::nullopt};
  return true;
}

void CaptureDialog::StartCapture() {
  CaptureOptions options;
  if (!column_->Prepare(options)) return;
  ok_state_ = OkState::kRunning;
  profiles_->SetChoosing(false);
  if (state_.loaded_profile) options.own_nicknames = state_.loaded_profile->nicks;
  worker_ = std::make_unique<CaptureWorker>(store_, state_.weapons, templates_, texts_,
                                            devices_, prompt_, options);
  connect(worker_.get(), &CaptureWorker::statusCleared, status_, &StatusLog::Clear);
  connect(worker_.get(), &CaptureWorker::statusAdded, status_, &StatusLog::Add);
  connect(worker_.get(), &CaptureWorker::finished, this, &CaptureDialog::CaptureFinished);
  column_->Start(*worker_);
}

void CaptureDialog::CaptureFinished(CaptureWorker::End end) {
  worker_->Join();
  capture_ended_ = true;
  column_->Ended();
  const bool ended_by_player = ok_state_ == OkState::kFinished;
  // A log that would not open leaves OK running: the dialog stays until Cancel.
  if (end != CaptureWorker::End::kNotOpened) ok_state_ = OkState::kFinished;
  if (!ended_by_player) {
    stats_ready_ = end == CaptureWorker::End::kStats;
    if (end == CaptureWorker::End::kFailed) error_message_ = kUnableToParse;
  }
  journal_ = worker_->TakeJournal();
  // A capture dropped on purpose leaves nothing to recover.
  if (!stats_ready_) journal_.Discard();
  Finish();
}

void CaptureDialog::Finish() {
  if (ok_state_ != OkState::kFinished) return;
  closed_ = true;
  hide();
  EndWhenDone();
}

void CaptureDialog::EndWhenDone() {
  if (closed_ && (worker_ == nullptr || capture_ended_)) emit ended();
}

void CaptureDialog::ShowProfileManager() {
  // For editing profiles only: the capture loads its profile itself at OK.
  ProfileManagerWindow manager(state_.data_dir, state_.profile_store, state_.loaded_profile, this);
  manager.HideOpenButton();
  manager.exec();
  profiles_->Fill();
}

}  // namespace mrv::ui
