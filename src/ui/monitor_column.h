// The capture dialog's column for the console monitor: the "Monitor:" box (which console,
// what to do, the button that starts the game), the "Options:" box and "minimize to
// tray" with its advice beside the buttons. The first show loads the stored options; each
// show adds the tray advice to the status lines, which a hide takes back while it is the
// last one. OK opens the console (a failure is told and OK stays idle), hands the options
// to the run, which follows every later change of a control, puts the live figures of
// the map being played in the console box's place and, with "minimize to tray" checked,
// puts the dialog into the tray.
#pragma once

#include <memory>

#include "ui/capture_column.h"

class QCheckBox;
class QWidget;

namespace mrv {
class GameConsole;
}

namespace mrv::ui {

class CaptureDevices;
class CaptureTray;
class FileDialogs;
class LiveFiguresBox;
class MonitorOptionsBox;
class StatusLog;
struct ProgramState;

class MonitorColumn final : public CaptureColumn {
  Q_OBJECT

 public:
  // Everything given belongs to the dialog or its opener and outlives the column.
  MonitorColumn(QWidget& dialog, StatusLog& status, CaptureTray& tray, ProgramState& state,
                CaptureDevices& devices, FileDialogs& file_dialogs);
  ~MonitorColumn() override;

  void Shown(bool first) override;
  void Hidden() override;
  bool Prepare(CaptureOptions& options) override;
  void Start(CaptureWorker& worker) override;
  void Ended() override;

 private:
  // "save options": the options and "minimize to tray" into stats.ini (a failure told).
  void SaveOptions();

  QWidget& dialog_;
  StatusLog& status_;
  CaptureTray& tray_;
  ProgramState& state_;
  CaptureDevices& devices_;
  QWidget* console_box_;
  LiveFiguresBox* live_figures_;
  MonitorOptionsBox* options_box_;
  QCheckBox* minimize_;
  // Opened by Prepare, handed to the run by Start.
  std::unique_ptr<GameConsole> console_;
};

}  // namespace mrv::ui
