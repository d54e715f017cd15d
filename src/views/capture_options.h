// The options a live capture starts with, made from the Monitor section of the
// settings file; shared by the desktop program and the command-line tool.
#pragma once

#include "capture/capture_state.h"
#include "files/monitor_options.h"

namespace mrv {

CaptureOptions CaptureOptionsFrom(const MonitorOptions& monitor);

}  // namespace mrv
