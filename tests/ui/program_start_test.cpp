// The program's start: the settings it needs, the fatal message without them, and the
// about window of the very first start.
#include <gtest/gtest.h>

#include "files/settings.h"
#include "print_qstring.h"
#include "support/paths.h"
#include "ui/message_dialog.h"
#include "ui/program_state.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

using test::ScratchDir;

// A folder of its own, apart from the program's.
DataFolder Folder(const ScratchDir& dir) { return {dir.path(), DataFolderSource::kOption, {}}; }

const QString kFatal = QStringLiteral(
    "The initialization file was not found or it's corrupted!\nThe program will be terminated!");

// When the about window shows is the settings' (tests/files); here the start must end
// with the fatal message, after the weapon table's own, or give a usable state.
TEST(ProgramStartTest, UnusableSettingsEndTheProgramWithTheFatalMessage) {
  ScratchDir dir("start");
  ScriptedBoxes boxes;
  EXPECT_EQ(StartProgram(Folder(dir), {}), nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].kind, ScriptedBoxes::Kind::kError);
  EXPECT_EQ(boxes.shown()[0].message, kFatal);

  test::WriteFileBytes(dir / "stats.ini", "[data]\r\nweapons=aKnife;aPistol\r\n");
  EXPECT_EQ(StartProgram(Folder(dir), {}), nullptr);
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_EQ(boxes.shown()[1].message, MessageText(kDuplicateWeaponMessage));
  EXPECT_EQ(boxes.shown()[2].message, kFatal);

  test::WriteFileBytes(dir / "stats.ini", test::ReadFileBytes(test::ShippedDir() / "stats.ini"));
  const auto state = StartProgram(Folder(dir), {});
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->data_dir, dir.path());
  EXPECT_EQ(state->store.weapon_count, state->weapons.size());
  EXPECT_GT(state->weapons.size(), 2);
}

}  // namespace
}  // namespace mrv::ui
