#include "ui/log_file_column.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>

#include "capture/log_file_run.h"
#include "files/capture_options.h"
#include "ui/capture_worker.h"
#include "ui/object_names.h"
#include "ui/profile_picker.h"
#include "ui/status_log.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

using namespace capture_layout;

// A log's notes need less room than the monitor's options: the status lines start higher.
constexpr int kStatusTop = 284;

constexpr const char* kLogNotes[] = {
    "The better way to obtain stats is by monitoring the Q3 console.",
    "Client log files don't have any time information!",
    "Kills per minute and game time will be disabled!",
    "Adding the game to a player profile will also be disabled because the player profile "
    "feature was designed to be used with time information!",
    "For \"last hits\" stats, you must select a player profile to identify the owner of the log.",
};

}  // namespace

LogFileColumn::LogFileColumn(QWidget& dialog, StatusLog& status, ProfilePicker& profiles,
                             Prompt& prompt, std::filesystem::path log)
    : CaptureColumn(&dialog), status_(status), prompt_(prompt), log_(std::move(log)) {
  profiles.SetRequiredShown(false);
  auto* file = new QGroupBox(QStringLiteral("File:"), &dialog);
  file->setObjectName(names::kLogFileBox);
  file->setGeometry(kLeft, kTop, kLeftWidth, 58);
  auto* row = new QHBoxLayout(file);
  row->setContentsMargins(8, 6, 8, 8);
  progress_ = new QProgressBar(file);
  progress_->setObjectName(names::kProgressBar);
  progress_->setAccessibleName(QStringLiteral("Progress"));
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
  auto* text = new QLabel(notes.join(QStringLiteral("\n\n")), &dialog);
  text->setObjectName(names::kLogNotes);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setContentsMargins(4, 0, 4, 0);
  text->setGeometry(kLeft, kTop + 70, kLeftWidth, kStatusTop - kTop - 76);
  status.setGeometry(kLeft, kStatusTop, kLeftWidth, kStatusBottom - kStatusTop);
}

bool LogFileColumn::Ready(std::string& error) {
  file_size_ = GetLogFileSize(log_, prompt_);
  if (file_size_ == 0) {
    error = kUnableToParse;
    return false;
  }
  status_.Add(PathText(log_));
  status_.Add(QString::number(file_size_) + QStringLiteral(" bytes"));
  status_.Add(QStringLiteral("Select player profile for death hit stats generation"));
  return true;
}

bool LogFileColumn::Prepare(CaptureOptions& options) {
  options.monitor = false;
  return true;
}

void LogFileColumn::Start(CaptureWorker& worker) {
  connect(&worker, &CaptureWorker::progressed, this, &LogFileColumn::ShowProgress);
  worker.StartLogFile(log_, file_size_);
}

void LogFileColumn::ShowProgress(int percent) {
  progress_->setValue(percent);
  percent_->setText(QString::number(percent) + QLatin1Char('%'));
}

}  // namespace mrv::ui
