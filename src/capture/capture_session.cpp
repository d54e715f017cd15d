#include "capture/capture_session.h"

#include "capture/replies.h"

namespace mrv {

bool CaptureSession::Type(const std::string& line) {
  return SendConsoleCommand(monitor() ? services.console : nullptr, line);
}

bool CaptureSession::Pause() {
  return services.clock.Wait(kCommandPause, services.cancel);
}

}  // namespace mrv
