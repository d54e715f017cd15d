// The capture dialog's column for a saved console log: the "File:" box with the progress
// bar and its percentage, and the notes on what a log lacks. Before the dialog shows, the
// log is probed: an empty or unreadable log ends there, otherwise its name, its size and
// the advice to pick a profile are the first status lines. OK reads the log on the
// worker, the bar following it; the profile is not required, so its note is hidden.
#pragma once

#include <cstdint>
#include <filesystem>

#include "ui/capture_column.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace mrv {
class Prompt;
}

namespace mrv::ui {

class ProfilePicker;
class StatusLog;

inline constexpr const char* kUnableToParse = "Unable to parse log file!";

class LogFileColumn final : public CaptureColumn {
  Q_OBJECT

 public:
  // Everything given belongs to the dialog and outlives the column.
  LogFileColumn(QWidget& dialog, StatusLog& status, ProfilePicker& profiles, Prompt& prompt,
                std::filesystem::path log);

  bool Ready(std::string& error) override;
  bool Prepare(CaptureOptions& options) override;
  void Start(CaptureWorker& worker) override;

  // The bar and its percentage.
  void ShowProgress(int percent);

 private:
  StatusLog& status_;
  Prompt& prompt_;
  const std::filesystem::path log_;
  std::uint64_t file_size_ = 0;
  QProgressBar* progress_;
  QLabel* percent_;
};

}  // namespace mrv::ui
