// The program's start: the settings it needs, the fatal message without them, and the
// about window of the very first start.
#include <gtest/gtest.h>

#include "files/settings.h"
#include "support/print_qstring.h"
#include "support/paths.h"
#include "support/ui_fixtures.h"
#include "ui/desktop_command_line.h"
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

TEST(ProgramStartTest, SettingsThatCannotBeSavedAreToldOnce) {
  ScratchDir dir("start-read-only");
  test::FillDataDir(dir.path());
  std::filesystem::permissions(dir / "stats.ini", std::filesystem::perms::owner_read);
  ScriptedBoxes boxes;
  const auto state = StartProgram(Folder(dir), {});
  ASSERT_NE(state, nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(boxes.shown()[0].message.startsWith(QStringLiteral("Morvane cannot save its settings in\n") +
                                                  PathText(dir / "stats.ini")));
  TellSettingsUnsaved(*state, nullptr);  // the viewer closing, say
  EXPECT_EQ(boxes.shown().size(), 1u);
}

// Games and profiles of an earlier use beside the program are offered once, and copied.
TEST(ProgramStartTest, FilesLeftBesideTheProgramAreOfferedOnce) {
  ScratchDir dir("start-offer");
  const auto data = dir / "data";
  const auto program = dir / "program";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(program / "games");
  test::FillDataDir(data);
  test::WriteFileBytes(program / "games" / "friday.stg", "old game");
  test::WriteFileBytes(program / "Morv.mrv", "old profile");
  const DataFolder folder{data, DataFolderSource::kUserFolder, program};
  ScriptedBoxes boxes;
  boxes.SetNextAnswer(true);
  ASSERT_NE(StartProgram(folder, {}), nullptr);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_NE(boxes.shown()[0].message.indexOf(QStringLiteral("2 saved games and profiles")), -1);
  EXPECT_EQ(test::ReadFileBytes(data / "games" / "friday.stg"), "old game");
  EXPECT_EQ(test::ReadFileBytes(data / "Morv.mrv"), "old profile");
  EXPECT_TRUE(std::filesystem::exists(program / "Morv.mrv"));

  // Declined or not, it is not asked again, even for files added since.
  test::WriteFileBytes(program / "games" / "saturday.stg", "another");
  ASSERT_NE(StartProgram(folder, {}), nullptr);
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST(ProgramStartTest, TheCommandLineNamesAFolderAndAFile) {
  const auto parsed = [](QStringList arguments) {
    arguments.prepend(QStringLiteral("morvane"));
    const DesktopCommandLine line = ParseDesktopCommandLine(arguments);
    return PathText(line.dir) + QLatin1Char('|') + line.file + QLatin1Char('|') + line.error;
  };
  EXPECT_EQ(parsed({}), QStringLiteral("||"));
  EXPECT_EQ(parsed({QStringLiteral("--dir"), QStringLiteral("/d"), QStringLiteral("a.stg")}),
            QStringLiteral("/d|a.stg|"));
  EXPECT_EQ(parsed({QStringLiteral("--dir=/d"), QStringLiteral("--"), QStringLiteral("-odd.log")}),
            QStringLiteral("/d|-odd.log|"));
  EXPECT_EQ(parsed({QStringLiteral("--dir")}), QStringLiteral("||--dir needs a directory"));
  EXPECT_EQ(parsed({QStringLiteral("--frob")}), QStringLiteral("||unknown option --frob (see --help)"));
  EXPECT_EQ(parsed({QStringLiteral("a.stg"), QStringLiteral("b.stg")}),
            QStringLiteral("|a.stg|one file at a time"));
}

}  // namespace
}  // namespace mrv::ui
