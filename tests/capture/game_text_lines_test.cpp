// The interpreter with the shipped GameTexts.txt loaded, on the text of 4.1 and later
// versions.
#include <gtest/gtest.h>

#include "capture/interpreter.h"
#include "capture_harness.h"
#include "model/body.h"

namespace mrv {
namespace {

using test::CaptureHarness;
using test::WeaponIndex;
using Lines = std::vector<std::string>;

TEST(GameTextLines, LogOfLaterVersionsCountsOwnHitsKillsAndMaps) {
  CaptureHarness h(false, test::ShippedTemplates(), true, test::ShippedGameTexts());
  h.session.state.options.lplayernicks = {"Morv"};
  ASSERT_TRUE(h.Feed({
      "13 crosshairs parsed",
      "CL_InitCGame: 10.87 seconds",  // the capture's first map is already open
      "You hit Rasec in the Torso for 44% damage.",
      "^1(DEAD) Fak^3: ^3Rasec was pistol whipped by Fak.",  // between the hit and the kill
      "Rasec got a lead enema from Morv's retro M4.",
      "You were hit in the Kevlar by PAPANGU for 29% damage.",
      "Morv was on the wrong end of PAPANGU's G36.",
      "Etasoeur hit |SpaM|- in the Head for 100% damage.",
      "Etasoeur was hit in the Legs by X for 17% damage.",
      "^1pascochasco^7 (Patio Courtyard): ^3Morv was on the wrong end of PAPANGU's G36.",
      "^1Fak^7 has taken the ^4Blue^7 flag!",
      "^1Fak^7 dropped the ^4Blue^7 flag!",
      "^4retardednapkin^3: ^3follow me",  // the drop is one line further back now
      "^1Fak^7 was pistol whipped by ^4Rasec^7.",
      "Going through search path...",
      "Going through search path...",
      "13 crosshairs parsed",
      "CL_InitCGame:  9.66 seconds",
      "You hit Fak in the Arms.",
      "13 crosshairs parsed",
      "CL_InitCGame:  9.70 seconds",
  }));
  ASSERT_EQ(h.database.size(), 3);
  const map_record& first = h.map(0);
  EXPECT_EQ(first.nicks, (Lines{"Rasec", "Morv", "PAPANGU", "Fak"}));
  EXPECT_EQ(first.hits[8], 1);  // Torso counts as Chest
  EXPECT_EQ(SumOf(first.hits), 1);
  EXPECT_EQ(first.hitstaken[7], 1);  // Kevlar as Kevlar Vest
  EXPECT_EQ(SumOf(first.hitstaken), 1);
  EXPECT_EQ(SumOf(first.deathhits), 0);  // the chat line stood between hit and kill
  EXPECT_EQ(first.deathhitstaken[7], 1);
  EXPECT_EQ(first.kills(1, WeaponIndex("M4"), 0), 1);
  EXPECT_EQ(first.kills(2, WeaponIndex("G36"), 1), 1);
  EXPECT_EQ(first.kills(0, WeaponIndex("Beretta"), 3), 1);
  EXPECT_EQ(first.kills(3, WeaponIndex("Beretta"), 0), 0);
  EXPECT_EQ(first.ft[3], 1);  // the carrier's kill counts the take again
  EXPECT_EQ(first.fck[0], 1);
  EXPECT_EQ(h.map(1).hits[4], 1);  // Arms as Right Arm, once
  EXPECT_EQ(SumOf(h.map(1).hits), 1);
  EXPECT_EQ(h.map(1).nicks, (Lines{"Fak"}));
  EXPECT_EQ(h.map(2).nicks, Lines{});
}

// The live console strips colour codes: the dead player's chat and the team chat with
// a place still show, the chat of a living player reads as an event.
TEST(GameTextLines, LiveChatIsToldWhereTheTextAllows) {
  CaptureHarness h(true, test::ShippedTemplates(), true, test::ShippedGameTexts());
  ASSERT_TRUE(h.Feed({"(DEAD) Fak: Rasec was pistol whipped by Fak.",
                      "pascochasco (Patio Courtyard): Rasec was pistol whipped by Fak.",
                      "retardednapkin: Rasec was pistol whipped by Fak."}));
  EXPECT_EQ(h.current().nicks, (Lines{"Fak", "retardednapkin: Rasec"}));
}

}  // namespace
}  // namespace mrv
