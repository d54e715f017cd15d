#include "capture/log_file_run.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <functional>

#include "capture/line_handling.h"
#include "support/capture_harness.h"
#include "files/saved_game.h"
#include "support/paths.h"

namespace mrv {
namespace {

using test::CaptureHarness;

const std::string kCantProbe =
    "Unable to open file!\n\n\rThe file can be locked by another process.";
const std::string kCantOpen =
    "Unable to open file!\n\n\rThe file could be locked by another process.";

TEST(LogFileRunTest, ReportsEachPercentOnceAndSkipsTwoCharacterLines) {
  // "X!" would be a suicide if it reached the interpreter.
  const DeathTemplates templates = DeathTemplates::FromLines({"a<VICTIM><MSG>!</MSG>"});
  CaptureHarness h(false, templates, false);
  test::ScratchDir dir("log-progress");
  std::string log;
  for (int i = 0; i < 100; ++i) log += i % 2 == 0 ? "Bobby no!\r\n" : "X!\n";
  test::WriteFileBytes(dir / "qconsole.log", log);
  std::vector<int> percents;
  const LogParseResult result = ParseLogFile(h.session, dir / "qconsole.log",
                                             [&](int percent) { percents.push_back(percent); });
  EXPECT_TRUE(result.show_stats);
  EXPECT_EQ(result.ErrorMessage, "");
  EXPECT_TRUE(h.prompt.shown.empty());
  // 550 of 700 bytes are line text; the end of the log makes it 100.
  ASSERT_GE(percents.size(), 3u);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end(), std::less_equal<int>()));
  EXPECT_EQ(percents.front(), 1);
  EXPECT_EQ(percents[percents.size() - 2], 78);
  EXPECT_EQ(percents.back(), 100);
  ASSERT_EQ(h.store.size(), 1);
  EXPECT_EQ(h.current().nicks, std::vector<std::string>{"Bobby no"});
  EXPECT_EQ(h.session.state.context.RecentLines[1], "Bobby no!");
}

TEST(LogFileRunTest, EmptyMissingAndUnopenableLogs) {
  CaptureHarness h(false, test::ShippedTemplates(), false);
  test::ScratchDir dir("log-failures");
  test::WriteFileBytes(dir / "empty.log", "");
  LogParseResult result = ParseLogFile(h.session, dir / "empty.log");
  EXPECT_FALSE(result.show_stats);
  EXPECT_EQ(result.ErrorMessage, "Unable to parse log file!");
  EXPECT_TRUE(h.prompt.shown.empty());

  result = ParseLogFile(h.session, dir / "missing.log");
  EXPECT_EQ(result.ErrorMessage, "Unable to parse log file!");
  ASSERT_EQ(h.prompt.shown.size(), 1u);
  EXPECT_EQ(h.prompt.shown[0].kind, "ask");
  EXPECT_EQ(h.prompt.shown[0].text, kCantProbe);
  EXPECT_EQ(h.prompt.shown[0].title, "ERROR!");

  const int maps = h.store.size();
  EXPECT_EQ(RunLogFileCapture(h.session, dir / "missing.log", 100), LogRunEnd::kNotOpened);
  ASSERT_EQ(h.prompt.shown.size(), 2u);
  EXPECT_EQ(h.prompt.shown[1].kind, "inform");
  EXPECT_EQ(h.prompt.shown[1].text, kCantOpen);
  EXPECT_EQ(h.store.size(), maps);

  // The desktop program probes a chosen log on its GUI thread: a fifo without a writer
  // must not hold it, and a device has no size to show.
#ifdef _WIN32
  const std::vector<std::filesystem::path> devices = {"NUL"};
#else
  ASSERT_EQ(mkfifo((dir / "fifo.log").c_str(), 0600), 0);
  const std::vector<std::filesystem::path> devices = {dir / "fifo.log", "/dev/zero"};
#endif
  for (const std::filesystem::path& log : devices) {
    EXPECT_EQ(GetLogFileSize(log, h.prompt), 0u) << log;
    EXPECT_EQ(h.prompt.shown.back().text, kCantProbe);
  }
}

TEST(LogFileRunTest, CancelAndUnknownWeaponsEndTheRunBetweenLines) {
  test::ScratchDir dir("log-ends");
  std::string log;
  for (int i = 0; i < 50; ++i)
    log += "Rasec got a lead enema from Fak's retro M4.\nCurrent search path:\n";
  test::WriteFileBytes(dir / "game.log", log);

  CaptureHarness cancelled(false, test::ShippedTemplates(), false);
  const LogParseResult result = ParseLogFile(cancelled.session, dir / "game.log", [&](int percent) {
    if (percent == 50) cancelled.cancel.Request();
  });
  EXPECT_FALSE(result.show_stats);
  EXPECT_EQ(result.ErrorMessage, "Cancelled");
  EXPECT_GT(cancelled.store.size(), 20);
  EXPECT_LT(cancelled.store.size(), 30);

  const DeathTemplates templates = DeathTemplates::FromLines(
      {"~<VICTIM><MSG> got a lead enema from </MSG><KILLER><MSG>'s retro M4.</MSG>"});
  CaptureHarness unknown(false, templates, false);
  test::WriteFileBytes(dir / "bad.log", "Bob joined the red team.\nCurrent search path:\n" + log);
  const LogParseResult bad = ParseLogFile(unknown.session, dir / "bad.log");
  EXPECT_TRUE(bad.show_stats);
  EXPECT_TRUE(bad.unknown_weapon);
  EXPECT_EQ(unknown.store.size(), 2);
}

TEST(LogFileRunTest, OverlongLinesAreCutButCounted) {
  CaptureHarness h(false, test::ShippedTemplates(), false);
  test::ScratchDir dir("log-long");
  const std::string huge(300'000, 'x');
  test::WriteFileBytes(dir / "long.log", huge + "\nRasec got a lead enema from Fak's retro M4.\n");
  std::vector<int> percents;
  EXPECT_EQ(RunLogFileCapture(h.session, dir / "long.log", huge.size() + 45,
                              [&](int p) { percents.push_back(p); }),
            LogRunEnd::kEndOfLog);
  EXPECT_EQ(percents.front(), 99);  // the long line counts whole
  EXPECT_EQ(h.current().nicks, (std::vector<std::string>{"Fak", "Rasec"}));
}

// A stream is read once, with no size probe: the same store as the file gives, its
// progress in bytes, and nothing at all is a failure as an empty file is.
TEST(LogFileRunTest, StreamsGiveWhatTheFileGives) {
  const auto sample = test::SamplesDir() / "ts_two_maps.log";
  CaptureHarness from_file(false, test::ShippedTemplates(), false);
  ASSERT_TRUE(ParseLogFile(from_file.session, sample).show_stats);
  CaptureHarness from_stream(false, test::ShippedTemplates(), false);
  std::vector<std::uint64_t> progress;
  const LogParseResult result = ParseLogStream(
      from_stream.session, sample, [&](std::uint64_t bytes) { progress.push_back(bytes); });
  ASSERT_TRUE(result.show_stats);
  EXPECT_EQ(GameFileText(from_stream.store, "g"), GameFileText(from_file.store, "g"));
  ASSERT_FALSE(progress.empty());
  EXPECT_LT(progress.back(), std::filesystem::file_size(sample));  // breaks left out
  EXPECT_GT(progress.back(), std::filesystem::file_size(sample) * 9 / 10);

  test::ScratchDir dir("log-stream");
  test::WriteFileBytes(dir / "empty.log", "");
  CaptureHarness empty(false, test::ShippedTemplates(), false);
  EXPECT_EQ(ParseLogStream(empty.session, dir / "empty.log").ErrorMessage,
            "Unable to parse log file!");
}

// Maps of a hundred nicknames each, against a store that holds only a few: the run stops
// with its message, keeps the maps counted so far, and they save and load back.
TEST(LogFileRunTest, TheStoreBudgetEndsTheRunKeepingItsMaps) {
  test::ScratchDir dir("log-budget");
  std::string log;
  for (int map = 0; map < 20; ++map) {
    for (int i = 0; i < 100; ++i) log += "P" + std::to_string(i) + " joined the red team.\n";
    log += "Current search path:\n";
  }
  test::WriteFileBytes(dir / "crowd.log", log);
  CaptureHarness h(false, test::ShippedTemplates(), false);
  h.store.budget = std::make_shared<StoreBudget>(std::size_t{32} << 10);
  const LogParseResult result = ParseLogFile(h.session, dir / "crowd.log");
  EXPECT_TRUE(result.show_stats);
  EXPECT_TRUE(result.store_full);
  ASSERT_EQ(h.prompt.shown.size(), 1u);
  EXPECT_EQ(h.prompt.shown[0].text, kStoreFullMessage);
  EXPECT_GT(h.store.size(), 2);
  EXPECT_LT(h.store.size(), 20);
  EXPECT_EQ(h.store[0].nick_count(), 100);
  EXPECT_LE(h.store.budget->used(), std::size_t{32} << 10);
  ASSERT_TRUE(SaveGame(h.store, dir / "crowd.stg", "crowd", h.prompt));
  StatsStore loaded(test::ShippedWeapons().size());
  std::string name;
  EXPECT_TRUE(LoadGame(loaded, dir / "crowd.stg", name, h.prompt));
  EXPECT_EQ(loaded.size(), h.store.size());
  ClearMaps(h.store);  // the store takes maps again once emptied
  EXPECT_FALSE(h.store.full());
}

}  // namespace
}  // namespace mrv
