// The platform services a capture uses, behind small interfaces so that tests can
// replace them: time and waits, sound, random numbers, and the cancel request.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace mrv {

// A cancel request that wakes every wait at once.
class CancelToken {
 public:
  void Request();
  bool requested() const { return requested_.load(std::memory_order_acquire); }
  // Waits up to the timeout; true when cancelled meanwhile.
  bool WaitFor(std::chrono::milliseconds timeout);

 private:
  std::atomic<bool> requested_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic milliseconds since system start.
  virtual std::uint64_t Millis() = 0;
  // Waits, cut short by a cancel; false when cancelled.
  virtual bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) = 0;
  // Whole seconds since system start, held at the largest a saved game's time can take,
  // so that a clock read back from a damaged journal never gives a negative time.
  std::int32_t TickSeconds() {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(Millis() / 1000, INT32_MAX));
  }
};

class SystemClock final : public Clock {
 public:
  std::uint64_t Millis() override;
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override;
};

enum class Sound { Headshot, Monkey };

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing and returns at once.
  virtual void Play(Sound sound) = 0;
  virtual void StopAll() = 0;
  // The program's output volume, 0 to 255.
  virtual int Volume() = 0;
  virtual void SetVolume(int volume) = 0;
};

class Random {
 public:
  virtual ~Random() = default;
  // A whole number from 0 to n - 1.
  virtual int Next(int n) = 0;
};

class SystemRandom final : public Random {
 public:
  SystemRandom();
  int Next(int n) override;

 private:
  std::uint64_t state_;
};

}  // namespace mrv
