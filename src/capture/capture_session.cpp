#include "capture/capture_session.h"

#include <algorithm>

namespace mrv {

namespace {

constexpr std::chrono::milliseconds kTypingCheck{50};

}  // namespace

bool CaptureSession::CanType() const {
  return monitor() && services.console != nullptr && services.console->CanType();
}

bool CaptureSession::Type(const TypedLine& line) {
  if (!CanType()) return false;
  const std::size_t room = kTypeAheadLimit - std::min(kTypeAheadLimit, line.text().size() + 1);
  return WaitForTyping(room) && services.console->TypeLine(line.text());
}

bool CaptureSession::Pause() {
  // The pause only gives the game time to run a typed line.
  if (!CanType()) return !services.cancel.requested();
  return WaitForTyping(0) && services.clock.Wait(kCommandPause, services.cancel);
}

bool CaptureSession::MayAnnounce() {
  if (!CanType()) return false;
  const std::uint64_t now = services.clock.Millis();
  if (last_announcement_ &&
      now < *last_announcement_ + static_cast<std::uint64_t>(kAnnouncementPeriod.count())) {
    return false;
  }
  if (services.console->UnreadTyping() != 0) return false;
  last_announcement_ = now;
  return true;
}

bool CaptureSession::WaitForTyping(std::size_t unread) {
  std::size_t left = services.console->UnreadTyping();
  std::uint64_t progress_at = services.clock.Millis();
  while (left > unread) {
    if (!services.clock.Wait(kTypingCheck, services.cancel)) return false;
    const std::size_t now_left = services.console->UnreadTyping();
    const std::uint64_t now = services.clock.Millis();
    if (now_left < left) {
      progress_at = now;
    } else if (now >= progress_at + static_cast<std::uint64_t>(kTypingStall.count())) {
      break;
    }
    left = now_left;
  }
  return true;
}

}  // namespace mrv
