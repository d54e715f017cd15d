#include "capture/console/log_follow_console.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/paths.h"

namespace mrv {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

void AppendToFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

TEST(LogFollowConsoleTest, HoldsWhatTheGameAppends) {
  test::ScratchDir scratch("log-follow");
  const auto log = scratch / "qconsole.log";
  LogFollowConsole console(log);
  EXPECT_FALSE(console.Find()) << "no log yet";
  EXPECT_EQ(console.TextLength(), 0u);

  WriteFileBytes(log, "logfile opened on Sun Dec  6 20:01:13 2026\nbefore the capture\n");
  ASSERT_TRUE(console.Find());
  EXPECT_EQ(console.TextLength(), 0u) << "what was there before is not the capture's";
  console.WaitForChange(std::chrono::milliseconds(1));

  AppendToFile(log, "^1Fak^7 joined the red team.\nYou hit Rasec in the");
  EXPECT_EQ(console.Text(), "Fak joined the red team.\r\n");
  AppendToFile(log, " Head.\n");
  EXPECT_EQ(console.Text(), "Fak joined the red team.\r\nYou hit Rasec in the Head.\r\n");

  // Dropping what was read and typing leave the file as it is.
  const std::string on_disk = ReadFileBytes(log);
  EXPECT_TRUE(console.DropRead(26));
  EXPECT_EQ(console.Text(), "You hit Rasec in the Head.\r\n");
  EXPECT_TRUE(console.DropRead(28));
  EXPECT_TRUE(console.ReadsNoInput());
  EXPECT_FALSE(console.TypeLine("name"));
  EXPECT_EQ(ReadFileBytes(log), on_disk);
  AppendToFile(log, "Rasec joined the blue team.\n");
  EXPECT_EQ(console.Text(), "Rasec joined the blue team.\r\n");
}

TEST(LogFollowConsoleTest, ANewLaunchIsTheGameLostAndFoundAgain) {
  test::ScratchDir scratch("log-relaunch");
  const auto log = scratch / "qconsole.log";
  WriteFileBytes(log, "logfile opened on Sun Dec  6 20:01:13 2026\n");
  LogFollowConsole console(log);
  ASSERT_TRUE(console.Find());
  AppendToFile(log, "a line of the first game that is long enough\n");
  EXPECT_GT(console.TextLength(), 0u);

  // Launched again: the log is cut and starts over.
  WriteFileBytes(log, "logfile opened on Sun Dec  6 21:30:00 2026\n");
  EXPECT_EQ(console.TextLength(), 0u);
  EXPECT_EQ(console.TextLength(), 0u) << "lost until found again";
  AppendToFile(log, "----- R_Init -----\n");
  EXPECT_FALSE(console.Find()) << "the loss is reported once, as a closed window would be";
  ASSERT_TRUE(console.Find());
  EXPECT_EQ(console.Text(), "logfile opened on Sun Dec  6 21:30:00 2026\r\n----- R_Init -----\r\n")
      << "the new log is read from its start";

  // Launched again and already further than the old log was read: its first line tells.
  WriteFileBytes(log,
                 "logfile opened on Sun Dec  6 22:45:10 2026\n" + std::string(500, 'x') + "\n");
  EXPECT_EQ(console.TextLength(), 0u);
  EXPECT_FALSE(console.Find());
  ASSERT_TRUE(console.Find());
  EXPECT_TRUE(console.Text().starts_with("logfile opened on Sun Dec  6 22:45:10 2026\r\n"));
}

}  // namespace
}  // namespace mrv
