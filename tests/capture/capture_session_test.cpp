#include "capture/capture_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/capture_harness.h"

namespace mrv {
namespace {

using test::CaptureHarness;

std::int64_t Waited(const test::FakeClock& clock) {
  return std::accumulate(clock.waits().begin(), clock.waits().end(), std::int64_t{0});
}

// The game reads typed text a byte a frame: the pause after a line starts once the game
// has read it, typing waits while too much is unread, and announcements wait for none.
TEST(CaptureSessionTest, TypingKeepsToTheGamesPace) {
  CaptureHarness harness(true);
  CaptureSession& session = harness.session;
  std::size_t unread = 100;
  const std::size_t per_check = 10;
  harness.console.unread = [&] { return unread = unread - std::min(unread, per_check); };
  EXPECT_FALSE(session.MayAnnounce()) << "typing still unread";
  EXPECT_TRUE(session.Pause());
  EXPECT_EQ(unread, 0u);
  EXPECT_EQ(harness.clock.waits().back(), kCommandPause.count());
  EXPECT_EQ(Waited(harness.clock), 8 * 50 + kCommandPause.count());
  EXPECT_TRUE(session.MayAnnounce());

  // A line waits for room, never more than it needs.
  unread = kTypeAheadLimit + 40;
  ASSERT_TRUE(session.Type(TypedLine("ut_echo " + std::string(50, 'x'))));
  EXPECT_LE(unread + 59, kTypeAheadLimit);
  EXPECT_GT(unread + 59 + per_check, kTypeAheadLimit);

  // A game that stopped reading holds the capture up only for a while.
  harness.console.unread = [] { return std::size_t{30}; };
  const std::int64_t before = Waited(harness.clock);
  EXPECT_TRUE(session.Pause());
  EXPECT_EQ(Waited(harness.clock) - before, kTypingStall.count() + kCommandPause.count());
  harness.cancel.Request();
  EXPECT_FALSE(session.Pause());
  EXPECT_EQ(harness.console.typed.size(), 1u);
}

}  // namespace
}  // namespace mrv
