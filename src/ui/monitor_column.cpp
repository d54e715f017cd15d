#include "ui/monitor_column.h"

#include <QCheckBox>
#include <QLabel>

#include "capture/console/game_console.h"
#include "files/capture_options.h"
#include "ui/capture_devices.h"
#include "ui/capture_tray.h"
#include "ui/capture_worker.h"
#include "ui/live_figures_box.h"
#include "ui/message_dialog.h"
#include "ui/monitor_console_box.h"
#include "ui/monitor_options_box.h"
#include "ui/object_names.h"
#include "ui/program_state.h"
#include "ui/status_log.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

using namespace capture_layout;

const QString kMinimizeAdvice = QStringLiteral("Minimize for better performance!");
constexpr int kStatusTop = 332;

}  // namespace

MonitorColumn::MonitorColumn(QWidget& dialog, StatusLog& status, CaptureTray& tray,
                             ProgramState& state, CaptureDevices& devices,
                             FileDialogs& file_dialogs)
    : CaptureColumn(&dialog),
      dialog_(dialog),
      status_(status),
      tray_(tray),
      state_(state),
      devices_(devices),
      console_box_(
          new MonitorConsoleBox(state.data_dir, state.folder.program_dir, file_dialogs, &dialog)),
      live_figures_(new LiveFiguresBox(&dialog)),
      options_box_(new MonitorOptionsBox(&dialog)),
      minimize_(new QCheckBox(QStringLiteral("minimize to tray"), &dialog)) {
  console_box_->setGeometry(kLeft, kTop, kLeftWidth, 94);
  live_figures_->setGeometry(console_box_->geometry());
  live_figures_->hide();
  options_box_->setGeometry(kLeft, kTop + 100, kLeftWidth, kStatusTop - kTop - 106);
  status.setGeometry(kLeft, kStatusTop, kLeftWidth, kStatusBottom - kStatusTop);
  connect(options_box_, &MonitorOptionsBox::testClicked, this,
          [this] { devices_.sound().Play(Sound::Headshot); });
  connect(options_box_, &MonitorOptionsBox::saveClicked, this, &MonitorColumn::SaveOptions);

  minimize_->setObjectName(names::kMinimizeToTrayBox);
  minimize_->setChecked(true);
  minimize_->move(kLeft + 2, kButtonsTop + 3);
  auto* advice = new QLabel(QStringLiteral("keep this checked for better performance!"), &dialog);
  advice->setObjectName(names::kMinimizeAdvice);
  DimText(*advice);
  advice->move(kLeft + 2 + minimize_->sizeHint().width() + 6, kButtonsTop + 5);
}

MonitorColumn::~MonitorColumn() = default;

void MonitorColumn::Shown(bool first) {
  status_.Add(kMinimizeAdvice);
  if (!first) return;
  CaptureOptions stored;
  if (LoadCaptureOptions(state_.data_dir, stored)) {
    options_box_->SetOptions(stored);
    minimize_->setChecked(stored.minimize_to_tray);
    options_box_->SetSaveLabelShown(false);
  }
  status_.Add(QStringLiteral("Click OK and start Urban Terror"));
}

void MonitorColumn::Hidden() {
  status_.RemoveLastIf(kMinimizeAdvice);
}

bool MonitorColumn::Prepare(CaptureOptions& options) {
  std::string error;
  console_ = devices_.OpenConsole(state_.data_dir, error);
  if (console_ == nullptr) {
    InformationBox(MessageText(error), QStringLiteral("ERROR!"), &dialog_);
    return false;
  }
  options.monitor = true;
  options_box_->ReadInto(options);
  return true;
}

void MonitorColumn::Start(CaptureWorker& worker) {
  connect(&worker, &CaptureWorker::headshotSwitched, options_box_,
          &MonitorOptionsBox::ShowHeadshot);
  options_box_->Follow(&worker.options());
  connect(&worker, &CaptureWorker::figuresChanged, live_figures_, &LiveFiguresBox::Show);
  console_box_->hide();
  live_figures_->show();
  if (minimize_->isChecked()) tray_.HideDialog();
  worker.StartMonitor(std::move(console_), state_.data_dir);
}

void MonitorColumn::Ended() {
  options_box_->Follow(nullptr);
}

void MonitorColumn::SaveOptions() {
  CaptureOptions options;
  options.minimize_to_tray = minimize_->isChecked();
  options_box_->ReadInto(options);
  if (SaveCaptureOptions(state_.data_dir, options)) {
    options_box_->SetSaveLabelShown(false);
  } else {
    TellSettingsUnsaved(state_, &dialog_);
  }
}

}  // namespace mrv::ui
