// The capture dialog's left column, the part that differs by mode: the console monitor
// (monitor_column.h) or the log-file parser (log_file_column.h). The dialog around it
// (capture_dialog.h) holds what both share and calls the column at each step of its life:
//
//   Ready       before the dialog first shows; false leaves it unshown, with the reason
//   Shown       every show (first: the first one); Hidden every hide
//   Prepare     OK pressed: the options the capture starts with, or false to stay idle
//   Start       the worker made with them: the column follows it and starts its run
//   Ended       the run has finished (the worker still lives)
//
// A column makes its widgets on the dialog itself (not inside a widget of its own), so
// that every widget keeps its place and name; it lives as long as the dialog.
#pragma once

#include <QObject>
#include <string>

#include "ui/theme.h"

namespace mrv {
struct CaptureOptions;
}

namespace mrv::ui {

class CaptureWorker;

// Where the dialog's parts lie, in its pixels: the left column from kTop down to the
// status lines, which end at kStatusBottom, above the row of the buttons.
namespace capture_layout {
inline constexpr int kLeft = 10;
inline constexpr int kLeftWidth = 300;
inline constexpr int kTop = kTitleStripHeight + 6;
inline constexpr int kStatusBottom = 410;
inline constexpr int kButtonsTop = 418;
}  // namespace capture_layout

class CaptureColumn : public QObject {
 public:
  using QObject::QObject;

  // By default a column is always ready and has nothing to do on show, hide and end.
  virtual bool Ready(std::string& /*error*/) { return true; }
  virtual void Shown(bool /*first*/) {}
  virtual void Hidden() {}
  virtual bool Prepare(CaptureOptions& options) = 0;
  virtual void Start(CaptureWorker& worker) = 0;
  virtual void Ended() {}
};

}  // namespace mrv::ui
