// The interpreter with the shipped GameTexts.txt loaded, where the samples do not show
// it: the map markers with one another, chat right after an own hit, the live console.
#include <gtest/gtest.h>

#include "capture/interpreter.h"
#include "support/capture_harness.h"
#include "model/body.h"

namespace mrv {
namespace {

using test::CaptureHarness;
using Lines = std::vector<std::string>;

TEST(GameTextLinesTest, ChatTakesItsPlaceAndMarkersOpenOneMapPerChange) {
  CaptureHarness h(false, test::ShippedTemplates(), true, test::ShippedGameTexts());
  h.session.state.options.own_nicknames = {"Morv"};
  ASSERT_TRUE(h.Feed({
      "You hit Rasec in the Torso for 44% damage.",
      "^4retardednapkin^3: ^3follow me",  // the hit is no longer the line before the kill
      "Rasec got a lead enema from Morv's retro M4.",
      "Going through search path...",
      "Going through search path...",
      "13 crosshairs parsed",
      "CL_InitCGame:  9.66 seconds",
      "You hit Fak in the Arms.",
      "13 crosshairs parsed",
      "CL_InitCGame:  9.70 seconds",
  }));
  ASSERT_EQ(h.store.size(), 3);
  EXPECT_EQ(h.map(0).hits[8], 1);
  EXPECT_EQ(SumOf(h.map(0).killing_hits), 0);
  EXPECT_EQ(h.map(1).nicks, Lines{"Fak"});
}

// The live console strips colour codes: the dead player's chat and the team chat with
// a place still show, the chat of a living player reads as an event.
TEST(GameTextLinesTest, LiveChatIsToldWhereTheTextAllows) {
  CaptureHarness h(true, test::ShippedTemplates(), true, test::ShippedGameTexts());
  ASSERT_TRUE(h.Feed({"(DEAD) Fak: Rasec was pistol whipped by Fak.",
                      "pascochasco (Patio Courtyard): Rasec was pistol whipped by Fak.",
                      "retardednapkin: Rasec was pistol whipped by Fak."}));
  EXPECT_EQ(h.current().nicks, (Lines{"Fak", "retardednapkin: Rasec"}));
}

}  // namespace
}  // namespace mrv
