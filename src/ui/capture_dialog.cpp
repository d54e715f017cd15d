#include "ui/capture_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "capture/log_file_run.h"
#include "files/capture_options.h"
#include "ui/capture_devices.h"
#include "ui/capture_tray.h"
#include "ui/image_button.h"
#include "ui/message_dialog.h"
#include "ui/monitor_console_box.h"
#include "ui/monitor_options_box.h"
#include "ui/object_names.h"
#include "ui/profile_manager_window.h"
#include "ui/profile_picker.h"
#include "ui/program_state.h"
#include "ui/status_log.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

const QString kMinimizeAdvice = QStringLiteral("Minimize for better performance!");
constexpr const char* kUnableToParse = "Unable to parse log file!";

// Where the columns and rows of the dialog lie.
constexpr int kLeft = 10;
constexpr int kLeftWidth = 300;
constexpr int kRight = 318;
constexpr int kRightWidth = 292;
constexpr int kTop = kTitleStripHeight + 6;
// The status box ends above the buttons; a log's notes need less room than the options.
constexpr int kStatusBottom = 410;
constexpr int kMonitorStatusTop = 332;
constexpr int kLogStatusTop = 284;
constexpr int kButtonsTop = 418;

constexpr const char* kLogNotes[] = {
    "The better way to obtain stats is by monitoring the Q3 console.",
    "Client log files don't have any time information!",
    "Kills per minute and game time will be disabled!",
    "Adding the game to a player profile will also be disable because the player profile "
    "feature was designed to be used with time information!",
    "For \"last hits\" stats, you must select a player profile to identify the owner of the log.",
};

ImageButton* DialogButton(QWidget* parent, const char* art, const QString& caption, const QString& name,
                      int left) {
  auto* button = new ImageButton(parent);
  button->setObjectName(name);
  button->SetGlyph(QPixmap(art));
  button->SetCaption(caption);
  button->SetTextLeft(30);
  button->move(left, kButtonsTop);
  return button;
}

}  // namespace

CaptureDialog::CaptureDialog(ProgramState& state, CaptureDevices& devices,
                             FileDialogs& file_dialogs, bool monitor, QWidget* parent)
    : QDialog(parent),
      state_(state),
      devices_(devices),
      file_dialogs_(file_dialogs),
      monitor_(monitor),
      prompt_(this),
      background_(art::kPanelBackground),
      store_(state.weapons.size()),
      frame_(new WindowFrame(
          this,
          monitor ? QStringLiteral("quake 3 console monitor") : QStringLiteral("logfile parser"),
          {.on_minimise = [this] { tray_->HideDialog(); },
           .on_close = [this] { CancelClicked(); }})),
      status_(new StatusLog(this)),
      profiles_(new ProfilePicker(state.profile_store, this)),
      ok_(DialogButton(this, art::kButtonOk, QStringLiteral("OK"), names::kOkButton, 450)),
      cancel_(DialogButton(this, art::kButtonCancel, QStringLiteral("Cancel"), names::kCancelButton,
                           535)),
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
  connect(status_, &StatusLog::lastLineChanged, tray_, &CaptureTray::SetHint);
  connect(ok_, &ImageButton::clicked, this, &CaptureDialog::OkClicked);
  connect(cancel_, &ImageButton::clicked, this, &CaptureDialog::CancelClicked);
  connect(profiles_, &ProfilePicker::detailsClicked, this, &CaptureDialog::ShowProfileManager);
  if (monitor_) {
    BuildMonitorColumn();
  } else {
    BuildLogColumn();
  }
  // A missing file is told here, and the capture counts all but kills.
  templates_ = LoadDeathTemplates(state.data_dir, prompt_);
  texts_ = LoadGameTexts(state.data_dir, prompt_);
}

CaptureDialog::~CaptureDialog() = default;

void CaptureDialog::BuildMonitorColumn() {
  auto* console = new MonitorConsoleBox(state_.data_dir, state_.folder.program_dir, file_dialogs_, this);
  console->setGeometry(kLeft, kTop, kLeftWidth, 94);
  console_box_ = console;
  options_box_ = new MonitorOptionsBox(this);
  options_box_->setGeometry(kLeft, kTop + 100, kLeftWidth, kMonitorStatusTop - kTop - 106);
  status_->setGeometry(kLeft, kMonitorStatusTop, kLeftWidth, kStatusBottom - kMonitorStatusTop);
  connect(options_box_, &MonitorOptionsBox::testClicked, this,
          [this] { devices_.sound().Play(Sound::Headshot); });
  connect(options_box_, &MonitorOptionsBox::saveClicked, this, &CaptureDialog::SaveOptions);

  minimize_ = new QCheckBox(QStringLiteral("minimize to tray"), this);
  minimize_->setObjectName(names::kMinimizeToTrayBox);
  minimize_->setChecked(true);
  minimize_->move(kLeft + 2, kButtonsTop + 3);
  auto* advice = new QLabel(QStringLiteral("keep this checked for better performance!"), this);
  advice->setObjectName(names::kMinimizeAdvice);
  DimText(*advice);
  advice->move(kLeft + 2 + minimize_->sizeHint().width() + 6, kButtonsTop + 5);
}

void CaptureDialog::BuildLogColumn() {
  profiles_->SetRequiredShown(false);
  auto* file = new QGroupBox(QStringLiteral("File:"), this);
  file->setObjectName(names::kLogFileBox);
  file->setGeometry(kLeft, kTop, kLeftWidth, 58);
  auto* row = new QHBoxLayout(file);
  row->setContentsMargins(8, 6, 8, 8);
  progress_ = new QProgressBar(file);
  progress_->setObjectName(names::kProgressBar);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(14);
  percent_ = new QLabel(QStringLiteral("0%"), file);
  percent_->setObjectName(names::kProgressPercent);
  percent_->setFixedWidth(36);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  row->addWidget(progress_, 1);
  row->addWidget(percent_);

  QStringList notes;
  for (const char* note : kLogNotes) notes.append(QString::fromLatin1(note));
  auto* text = new QLabel(notes.join(QStringLiteral("\n\n")), this);
  text->setObjectName(names::kLogNotes);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setContentsMargins(4, 0, 4, 0);
  text->setGeometry(kLeft, kTop + 70, kLeftWidth, kLogStatusTop - kTop - 76);
  status_->setGeometry(kLeft, kLogStatusTop, kLeftWidth, kStatusBottom - kLogStatusTop);
}

bool CaptureDialog::PrepareLogFile() {
  file_size_ = GetLogFileSize(log_file_, prompt_);
  if (file_size_ == 0) {
    error_message_ = kUnableToParse;
    return false;
  }
  status_->Add(PathText(log_file_));
  status_->Add(QString::number(file_size_) + QStringLiteral(" bytes"));
  status_->Add(QStringLiteral("Select player profile for death hit stats generation"));
  return true;
}

bool CaptureDialog::Execute() {
  if (!monitor_ && !PrepareLogFile()) return false;
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
  if (monitor_) status_->Add(kMinimizeAdvice);
  if (first_show_) {
    first_show_ = false;
    FirstShow();
  }
}

void CaptureDialog::FirstShow() {
  if (!monitor_) return;
  CaptureOptions stored;
  if (LoadCaptureOptions(state_.data_dir, stored)) {
    options_box_->SetOptions(stored);
    minimize_->setChecked(stored.minimize_to_tray);
    options_box_->SetSaveLabelShown(false);
  }
  status_->Add(QStringLiteral("Click OK and start Urban Terror"));
}

void CaptureDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  status_->RemoveLastIf(kMinimizeAdvice);
}

void CaptureDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  Finish();
}

void CaptureDialog::reject() {
  CancelClicked();
}

void CaptureDialog::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void CaptureDialog::SetVolume(int volume) {
  devices_.sound().SetVolume(volume);
}

int CaptureDialog::GetVolume() {
  return devices_.sound().Volume();
}

void CaptureDialog::ShowProgress(int percent) {
  if (progress_ == nullptr) return;
  progress_->setValue(percent);
  percent_->setText(QString::number(percent) + QLatin1Char('%'));
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
  if (worker_ != nullptr && !capture_ended_) worker_->Cancel();
  stats_ready_ = false;
  ok_state_ = OkState::kFinished;
  error_message_ = kCancelled;
  Finish();
}

bool CaptureDialog::TakeSelectedProfile() {
  ProfileStore& profile_store = state_.profile_store;
  // The profile_store holds one file at a time: whatever it holds gives way.
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
  std::unique_ptr<GameConsole> console;
  if (monitor_) {
    std::string error;
    console = devices_.OpenConsole(state_.data_dir, error);
    if (console == nullptr) {
      InformationBox(MessageText(error), QStringLiteral("ERROR!"), this);
      return;
    }
  }
  ok_state_ = OkState::kRunning;
  profiles_->SetChoosing(false);
  CaptureOptions options;
  options.monitor = monitor_;
  if (monitor_) options_box_->ReadInto(options);
  if (state_.loaded_profile) options.own_nicknames = state_.loaded_profile->nicks;
  worker_ = std::make_unique<CaptureWorker>(store_, state_.weapons, templates_, texts_,
                                            devices_, prompt_, options);
  connect(worker_.get(), &CaptureWorker::statusCleared, status_, &StatusLog::Clear);
  connect(worker_.get(), &CaptureWorker::statusAdded, status_, &StatusLog::Add);
  connect(worker_.get(), &CaptureWorker::progressed, this, &CaptureDialog::ShowProgress);
  connect(worker_.get(), &CaptureWorker::finished, this, &CaptureDialog::CaptureFinished);
  if (monitor_) {
    connect(worker_.get(), &CaptureWorker::headshotSwitched, options_box_,
            &MonitorOptionsBox::ShowHeadshot);
    options_box_->Follow(&worker_->options());
    console_box_->setEnabled(false);
    if (minimize_->isChecked()) tray_->HideDialog();
    worker_->StartMonitor(std::move(console));
  } else {
    worker_->StartLogFile(log_file_, file_size_);
  }
}

void CaptureDialog::CaptureFinished(CaptureWorker::End end) {
  worker_->Join();
  capture_ended_ = true;
  if (options_box_ != nullptr) options_box_->Follow(nullptr);
  const bool ended_by_player = ok_state_ == OkState::kFinished;
  // A log that would not open leaves OK running: the dialog stays until Cancel.
  if (end != CaptureWorker::End::kNotOpened) ok_state_ = OkState::kFinished;
  if (!ended_by_player) {
    stats_ready_ = end == CaptureWorker::End::kStats;
    if (end == CaptureWorker::End::kFailed) error_message_ = kUnableToParse;
  }
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

void CaptureDialog::SaveOptions() {
  CaptureOptions options;
  options.minimize_to_tray = minimize_->isChecked();
  options_box_->ReadInto(options);
  if (SaveCaptureOptions(state_.data_dir, options)) {
    options_box_->SetSaveLabelShown(false);
  } else {
    TellSettingsUnsaved(state_, this);
  }
}

void CaptureDialog::ShowProfileManager() {
  // For editing profiles only: the capture loads its profile itself at OK.
  ProfileManagerWindow manager(state_.data_dir, state_.profile_store, state_.loaded_profile, this);
  manager.HideOpenButton();
  manager.exec();
  profiles_->Fill();
}

}  // namespace mrv::ui
