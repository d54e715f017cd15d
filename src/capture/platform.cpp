#include "capture/platform.h"

#include <random>

namespace mrv {

void CancelToken::Request() {
  {
    std::lock_guard lock(mutex_);
    requested_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
}

bool CancelToken::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, timeout, [this] { return requested(); });
}

std::uint64_t SystemClock::Millis() {
  // steady_clock counts from system start on the platforms we build for.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

bool SystemClock::Wait(std::chrono::milliseconds duration, CancelToken& cancel) {
  return !cancel.WaitFor(duration);
}

SystemRandom::SystemRandom() : state_(std::random_device{}() | 1ULL) {}

int SystemRandom::Next(int n) {
  if (n <= 1) return 0;
  // xorshift64*: plenty for announcement draws.
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const std::uint64_t value = state_ * 2685821657736338717ULL;
  return static_cast<int>((value >> 33) % static_cast<std::uint64_t>(n));
}

}  // namespace mrv
