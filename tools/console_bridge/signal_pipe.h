// Turns the signals the bridge cares about into bytes on a pipe, so that its one
// poll() loop sees them: 'C' when a child changed state, 'T' when asked to stop.
#pragma once

namespace mrv::bridge {

inline constexpr char kChildSignal = 'C';
inline constexpr char kStopSignal = 'T';

// Installs the handlers (SIGCHLD; SIGTERM, SIGINT and SIGHUP as stop requests) and
// ignores SIGPIPE. Returns the pipe's read end, non-blocking, or -1.
int InstallSignalPipe();

}  // namespace mrv::bridge
