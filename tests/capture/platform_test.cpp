#include "capture/platform.h"

#include <gtest/gtest.h>

#include <thread>

namespace mrv {
namespace {

TEST(CancelTokenTest, CutsAWaitShort) {
  CancelToken cancel;
  SystemClock clock;
  const auto start = clock.Millis();
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    cancel.Request();
  });
  EXPECT_FALSE(clock.Wait(std::chrono::seconds(30), cancel));
  canceller.join();
  EXPECT_LT(clock.Millis() - start, 10000u);
  EXPECT_FALSE(clock.Wait(std::chrono::seconds(30), cancel));  // stays cancelled
}

TEST(SystemRandomTest, StaysInRange) {
  SystemRandom random;
  for (int i = 0; i < 1000; ++i) {
    const int v = random.Next(5);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 5);
  }
  EXPECT_EQ(random.Next(1), 0);
}

}  // namespace
}  // namespace mrv
