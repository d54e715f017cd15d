// The capture dialog's worker at the store's memory budget, which no real evening
// reaches: a live capture ends there with its message, and its maps are shown; its
// journal, handed over with them, gives the same maps again.
#include "ui/capture_worker.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "capture/journal_replay.h"
#include "capture/line_handling.h"
#include "files/saved_game.h"
#include "support/capture_harness.h"
#include "support/paths.h"
#include "support/ui_fixtures.h"

namespace mrv::ui {
namespace {

TEST(CaptureWorkerTest, AFullStoreEndsALiveCaptureWithItsMessageAndShowsItsMaps) {
  test::ScratchDir dir("capture-worker");
  const WeaponTable& weapons = test::ShippedWeapons();
  const DeathTemplates templates = DeathTemplates::FromLines({});
  constexpr std::size_t kBudget = std::size_t{32} << 10;
  StatsStore store(weapons.size(), kBudget);
  test::FakePrompt prompt;
  test::TestCaptureDevices devices;
  CaptureWorker worker(store, weapons, templates, NoGameTexts(), devices, prompt,
                       CaptureOptions{});

  // Maps of a hundred nicknames each, far more than the budget holds.
  auto console = std::make_unique<test::FakeConsole>();
  for (int map = 0; map < 20; ++map) {
    for (int i = 0; i < 100; ++i)
      console->text += "P" + std::to_string(i) + " joined the red team.\r\n";
    console->text += "Current search path:\r\n";
  }
  std::optional<CaptureWorker::End> end;
  QObject::connect(&worker, &CaptureWorker::finished,
                   [&end](CaptureWorker::End how) { end = how; });
  worker.StartMonitor(std::move(console), dir.path());
  ASSERT_TRUE(QTest::qWaitFor([&] { return end.has_value(); }, 20000));
  worker.Join();

  EXPECT_EQ(*end, CaptureWorker::End::kStats);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, kStoreFullMessage);
  EXPECT_GT(store.size(), 1);
  EXPECT_LT(store.size(), 20);

  JournalFile journal = worker.TakeJournal();
  ASSERT_FALSE(journal.empty());
  JournalReplay replay;
  std::string error;
  ASSERT_TRUE(replay.Open(journal.path(), error)) << error;
  // The same budget as the live capture's: the replay fills it at the same line.
  StatsStore replayed(replay.weapons().size(), kBudget);
  EXPECT_EQ(replay.Run(replayed).end, MonitorEnd::kStoreFull);
  EXPECT_EQ(GameFileText(replayed, "full"), GameFileText(store, "full"));
}

}  // namespace
}  // namespace mrv::ui
