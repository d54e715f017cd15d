// The program's start: the settings it needs, the fatal message without them, and the
// about window of the very first start.
#include <gtest/gtest.h>

#include "files/settings.h"
#include "print_qstring.h"
#include "support/paths.h"
#include "ui/message_box.h"
#include "ui/program_state.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

using test::ScratchDir;

const QString kFatal = QStringLiteral(
    "The initialization file was not found or it's corrupted!\nThe program will be terminated!");

TEST(ProgramStartTest, UnusableSettingsEndTheProgramWithTheFatalMessage) {
  ScratchDir dir("start-fails");
  ScriptedBoxes boxes;
  int abouts = 0;
  const auto about = [&abouts] { ++abouts; };

  EXPECT_EQ(StartProgram(dir.path(), about), nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].kind, ScriptedBoxes::Kind::kError);
  EXPECT_EQ(boxes.shown()[0].message, kFatal);

  // Two weapons with one code: the weapon message first, then the fatal one.
  test::WriteFileBytes(dir / "stats.ini", "[data]\r\nweapons=aKnife;aPistol\r\n");
  EXPECT_EQ(StartProgram(dir.path(), about), nullptr);
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_EQ(boxes.shown()[1].message, MessageText(kDuplicateWeaponMessage));
  EXPECT_EQ(boxes.shown()[2].message, kFatal);
  // That was the first start, even though it failed.
  EXPECT_EQ(abouts, 1);
}

TEST(ProgramStartTest, StartsWithTheAboutWindowOnlyTheFirstTime) {
  ScratchDir dir("start");
  test::WriteFileBytes(dir / "stats.ini", test::ReadFileBytes(test::ShippedDir() / "stats.ini"));
  int abouts = 0;
  auto state = StartProgram(dir.path(), [&abouts] { ++abouts; });
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(abouts, 1);
  EXPECT_EQ(state->program_dir, dir.path());
  EXPECT_EQ(state->database.weapon_count, state->weapons.size());
  EXPECT_GT(state->weapons.size(), 2);
  ASSERT_NE(StartProgram(dir.path(), [&abouts] { ++abouts; }), nullptr);
  EXPECT_EQ(abouts, 1);
}

}  // namespace
}  // namespace mrv::ui
