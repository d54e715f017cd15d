// What the program's own files may be: rewrites that replace a file whole or not at
// all, that keep a leftover temporary file and refuse a read-only one, that no planted
// link can redirect and that keep a file's permissions and links, and inputs that can
// never hang a reader.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "capture/matching/death_templates.h"
#include "files/ini_file.h"
#include "files/profile_store.h"
#include "files/safe_file.h"
#include "files/saved_game.h"
#include "support/fakes.h"
#include "support/paths.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace mrv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

std::size_t FileCount(const fs::path& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(FileSafetyTest, RewritesReplaceWholeKeepLeftoversAndRefuseReadOnlyFiles) {
  test::ScratchDir dir("safe-replace");
  const auto target = dir / "p.mrv";
  WriteFileBytes(target, "old");
  ASSERT_EQ(ReplaceFileSafely(target, "new"), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(target), "new");

  // A leftover temporary file from an earlier failure is neither written nor removed,
  // and does not block.
  WriteFileBytes(dir / "p.mrv.tmp", "recover me");
  ASSERT_EQ(ReplaceFileSafely(target, "newer"), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(dir / "p.mrv.tmp"), "recover me");
  EXPECT_EQ(ReadFileBytes(target), "newer");
  EXPECT_EQ(FileCount(dir.path()), 2u) << "no other temporary file stays";

  // A read-only file is not rewritten, not even by root; a folder is no file to
  // replace, and a missing folder takes no temporary file.
  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(ReplaceFileSafely(target, "x"), ReplaceResult::kRefused);
  EXPECT_EQ(ReadFileBytes(target), "newer");
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
  fs::create_directory(dir / "folder.mrv");
  EXPECT_EQ(ReplaceFileSafely(dir / "folder.mrv", "x"), ReplaceResult::kRefused);
  EXPECT_EQ(ReplaceFileSafely(dir / "missing" / "p.mrv", "x"), ReplaceResult::kNoTemporary);
  EXPECT_EQ(FileCount(dir.path()), 3u);
}

#ifndef _WIN32
fs::perms Permissions(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

TEST(FileSafetyTest, RewritesFollowNoPlantedLinkAndKeepModesAndLinks) {
  test::ScratchDir dir("safe-write");
  const auto target = dir / "p.mrv";

  // A link planted under the temporary file's name is not written through.
  WriteFileBytes(dir / "victim", "keep");
  fs::create_symlink(dir / "victim", dir / "p.mrv.tmp");
  WriteFileBytes(target, "old");
  ASSERT_EQ(ReplaceFileSafely(target, "new"), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_FALSE(fs::is_symlink(target));
  EXPECT_EQ(ReadFileBytes(dir / "victim"), "keep");
  EXPECT_TRUE(fs::is_symlink(dir / "p.mrv.tmp"));

  // The mode stays.
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(ReplaceFileSafely(target, "private"), ReplaceResult::kReplaced);
  EXPECT_EQ(Permissions(target), fs::perms::owner_read | fs::perms::owner_write);

  // A linked file is updated at its target, in the target's folder; the link stays.
  fs::create_directory(dir / "real");
  WriteFileBytes(dir / "real" / "stats.ini", "[data]\r\n");
  fs::create_symlink(dir / "real" / "stats.ini", dir / "stats.ini");
  ASSERT_EQ(ReplaceFileSafely(dir / "stats.ini", "[program]\r\n"), ReplaceResult::kReplaced);
  EXPECT_TRUE(fs::is_symlink(dir / "stats.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "real" / "stats.ini"), "[program]\r\n");
  EXPECT_EQ(FileCount(dir / "real"), 1u);

  // A fifo or a dangling link is refused.
  ASSERT_EQ(mkfifo((dir / "fifo.stg").c_str(), 0600), 0);
  fs::create_symlink(dir / "nowhere", dir / "dangling.stg");
  for (const char* name : {"fifo.stg", "dangling.stg"}) {
    EXPECT_EQ(ReplaceFileSafely(dir / name, "x"), ReplaceResult::kRefused) << name;
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.stg"));
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
}
#endif

// Pieces smaller and larger than the writer's buffer, and across its edge, arrive whole
// and in order; a producer that runs out of memory leaves the old file.
TEST(FileSafetyTest, StreamedContentArrivesInOrderOrNotAtAll) {
  test::ScratchDir dir("safe-stream");
  const auto target = dir / "g.stg";
  WriteFileBytes(target, "old");
  std::string expected;
  const auto produce = [&](ContentSink& sink) {
    char letter = 'a';
    for (std::size_t size : {1, 65535, 2, 65536, 200000, 3, 65534}) {
      const std::string piece(size, letter++);
      sink.Write(piece);
      expected += piece;
    }
  };
  ASSERT_EQ(ReplaceFileSafely(target, produce), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(target), expected);

  const auto fail = [](ContentSink& sink) {
    sink.Write(std::string(100000, 'x'));
    throw std::bad_alloc();
  };
  EXPECT_EQ(ReplaceFileSafely(target, fail), ReplaceResult::kTemporaryLeft);
  EXPECT_EQ(ReadFileBytes(target), expected);
}

TEST(FileSafetyTest, InputsThatAreNoRegularFilesAreRefusedAtOnce) {
  test::ScratchDir dir("safe-read");
  fs::create_directory(dir / "folder");
#ifdef _WIN32
  const std::vector<fs::path> hostile = {"NUL", dir / "folder"};
#else
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir / "zero");
  const std::vector<fs::path> hostile = {dir / "fifo", dir / "zero", "/dev/zero", dir / "folder"};
#endif

  test::FakePrompt prompt;
  for (const auto& input : hostile) {
    SCOPED_TRACE(input);
    StatsStore store(2);
    std::string name;
    EXPECT_FALSE(LoadGame(store, input, name, prompt));
    EXPECT_EQ(prompt.shown.back().text, "Unable to load file " + input.string());
    IniFile ini;
    EXPECT_FALSE(ini.Load(input));
    ProfileStore profile_store(dir.path(), 2);
    std::vector<std::string> nicknames, notes;
    ProfileInfo info;
    EXPECT_FALSE(profile_store.Open(input.string()));
    // Windows names its null device, yet it is no file there.
    if (fs::exists(input)) {
      EXPECT_EQ(profile_store.LastError(), kUnableToOpenFile);
    }
    EXPECT_FALSE(profile_store.ReadProfileInfo(input.string(), nicknames, notes, info));
  }

  // A templates file that cannot be read counts as missing and says so.
  fs::create_directories(dir / "templates" / "DeathMsgs.txt");
  prompt.shown.clear();
  EXPECT_TRUE(LoadDeathTemplates(dir / "templates", prompt).entries().empty());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].title, "File not found!");
#ifndef _WIN32
  for (const auto& input : hostile) {
    fs::remove(dir / "templates" / "DeathMsgs.txt");
    fs::create_symlink(input, dir / "templates" / "DeathMsgs.txt");
    prompt.shown.clear();
    EXPECT_TRUE(LoadDeathTemplates(dir / "templates", prompt).entries().empty());
    ASSERT_EQ(prompt.shown.size(), 1u) << input;
    EXPECT_EQ(prompt.shown[0].title, "File not found!");
  }
#endif
}

}  // namespace
}  // namespace mrv
