// Captures a crash cut short, offered at the program's start: each answer does what it
// says, and a recovered game opens unsaved.
#include "ui/capture_recovery.h"

#include <gtest/gtest.h>

#include "files/recovery_folder.h"
#include "support/paths.h"
#include "support/print_qstring.h"
#include "support/ui_fixtures.h"
#include "support/unsaved_capture.h"
#include "ui/file_dialogs.h"
#include "ui/message_dialog.h"

namespace mrv::ui {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Journals(const fs::path& data_dir) {
  std::vector<fs::path> journals;
  for (const UnfinishedCapture& capture : FindUnfinishedCaptures(data_dir)) {
    journals.push_back(capture.file);
  }
  return journals;
}

TEST(CaptureRecoveryTest, OffersEachUnfinishedCaptureAndDoesWhatTheAnswerSays) {
  test::ScratchDir dir("capture-recovery");
  test::FillDataDir(dir.path());
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogs;
  test::RecordingViewer viewer;
  test::TestCaptureDevices devices;
  auto main = test::ShownMainWindow(dir.path(), {}, dialogs, viewer, devices);
  ProgramState& state = main->state();
  std::uint64_t start_ms = 1'000'000;
  for (const char* line : {"Rasec joined the blue team.", "Mia joined the red team.",
                           "Fak joined the red team."}) {
    test::UnsavedCapture(dir.path(), state.weapons, {line}, start_ms += 1000);
  }
  const std::vector<fs::path> crashed = Journals(dir.path());
  ASSERT_EQ(crashed.size(), 3u);
  test::WriteFileBytes(dir / "recovery" / "zz.journal", "no journal at all");

  std::vector<std::string> nicks;
  viewer.inspect = [&nicks](const ProgramState& shown) { nicks = shown.store[0].nicks; };
  for (const Choice choice : {Choice::kNo, Choice::kYes, Choice::kDelete, Choice::kYes}) {
    boxes.SetNextChoice(choice);
  }
  OfferUnfinishedCaptures(state, viewer, main.get());

  ASSERT_EQ(boxes.shown().size(), 5u);
  const ScriptedBoxes::Shown& offer = boxes.shown()[0];
  EXPECT_EQ(offer.kind, ScriptedBoxes::Kind::kYesNoDelete);
  EXPECT_TRUE(offer.message.startsWith(QStringLiteral("A capture of 20")));
  EXPECT_TRUE(offer.message.endsWith(QStringLiteral(" was not finished. Recover it?")));
  EXPECT_EQ(offer.message.size(), QStringLiteral("A capture of 2024-05-01 21:07 was not "
                                                 "finished. Recover it?")
                                      .size());
  // Yes: the second capture, in the viewer, unsaved; its journal goes afterwards.
  ASSERT_EQ(viewer.opened.size(), 1u);
  EXPECT_TRUE(viewer.opened[0].opening.monitor);
  EXPECT_TRUE(viewer.opened[0].opening.never_saved);
  EXPECT_EQ(viewer.opened[0].opening.last_game, offer.message.mid(13, 16).toStdString());
  EXPECT_FALSE(viewer.opened[0].parent_visible);
  EXPECT_EQ(nicks, std::vector<std::string>{"Mia"});
  EXPECT_TRUE(state.store.empty());
  // What is no journal says so, and stays for the player to delete.
  EXPECT_EQ(boxes.shown()[4].title, QStringLiteral("ERROR!"));
  EXPECT_TRUE(boxes.shown()[4].message.contains(QStringLiteral("its journal is no capture journal")));
  // No keeps the first; Delete removed the third.
  EXPECT_EQ(Journals(dir.path()), (std::vector<fs::path>{crashed[0], dir / "recovery" / "zz.journal"}));
  EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace mrv::ui
