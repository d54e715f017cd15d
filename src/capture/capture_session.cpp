#include "capture/capture_session.h"

namespace mrv {

bool CaptureSession::CanType() const {
  return monitor() && services.console != nullptr && services.console->CanType();
}

bool CaptureSession::Type(const std::string& line) {
  return CanType() && services.console->TypeLine(line);
}

bool CaptureSession::Pause() {
  // The pause only gives the game time to run a typed line.
  if (!CanType()) return !services.cancel.requested();
  return services.clock.Wait(kCommandPause, services.cancel);
}

}  // namespace mrv
