// What the tool asks of the system it runs on: its arguments, its standard streams,
// and the player's request to stop (Ctrl-C). Its folders are the data-folder rule's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "capture/monitor_run.h"

namespace mrv::cli {

// The arguments after the program's name, as UTF-8 text (on Windows from the wide
// command line, so that a file named in any script arrives whole).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error carry bytes as they are: a JSON report or a saved game's
// text is the same file on every system, and UTF-8 text shows as such in a console.
void PrepareStandardStreams();

// Ctrl-C (on Windows also Ctrl-Break and closing the console; elsewhere also a
// termination request) stops the watched capture, which then shows its stats. Nothing
// runs in a signal handler's limits. Once the capture is over, a late Ctrl-C is
// ignored until the tool exits: it cannot cut the report or the saved file short.
class StopOnRequest {
 public:
  // Must come before the capture's and the journal's threads start, which must not take
  // Ctrl-C.
  StopOnRequest();
  ~StopOnRequest();
  StopOnRequest(const StopOnRequest&) = delete;
  StopOnRequest& operator=(const StopOnRequest&) = delete;

  // The capture must outlive this object.
  void Watch(MonitorCapture& capture);

 private:
  struct Watcher;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace mrv::cli
