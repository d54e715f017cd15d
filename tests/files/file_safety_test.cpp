// What the program's own files may be: rewrites that no planted link can redirect and
// that keep a file's permissions and links, and inputs that can never hang a reader.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <string>

#include "capture/matching/death_templates.h"
#include "files/ini_file.h"
#include "files/profile_store.h"
#include "files/safe_file.h"
#include "files/saved_game.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

fs::perms Permissions(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

TEST(FileSafetyTest, RewritesFollowNoPlantedLinkAndKeepModesAndLinks) {
  test::ScratchDir dir("safe-write");
  const auto target = dir / "p.mrv";

  // A link planted under the temporary file's name, and a leftover temporary file from
  // an earlier failure: neither is written through or removed, and neither blocks.
  WriteFileBytes(dir / "victim", "keep");
  fs::create_symlink(dir / "victim", dir / "p.mrv.tmp");
  WriteFileBytes(target, "old");
  ASSERT_EQ(ReplaceFileSafely(target, "new"), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_FALSE(fs::is_symlink(target));
  EXPECT_EQ(ReadFileBytes(dir / "victim"), "keep");
  EXPECT_TRUE(fs::is_symlink(dir / "p.mrv.tmp"));
  fs::remove(dir / "p.mrv.tmp");
  WriteFileBytes(dir / "p.mrv.tmp", "recover me");
  ASSERT_EQ(ReplaceFileSafely(target, "newer"), ReplaceResult::kReplaced);
  EXPECT_EQ(ReadFileBytes(dir / "p.mrv.tmp"), "recover me");
  EXPECT_EQ(ReadFileBytes(target), "newer");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3)
      << "no other temporary file stays";

  // The mode stays; a read-only file is not rewritten, not even by root.
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(ReplaceFileSafely(target, "private"), ReplaceResult::kReplaced);
  EXPECT_EQ(Permissions(target), fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(ReplaceFileSafely(target, "x"), ReplaceResult::kRefused);
  EXPECT_EQ(ReadFileBytes(target), "private");

  // A linked file is updated at its target, in the target's folder; the link stays.
  fs::create_directory(dir / "real");
  WriteFileBytes(dir / "real" / "stats.ini", "[data]\r\n");
  fs::create_symlink(dir / "real" / "stats.ini", dir / "stats.ini");
  ASSERT_EQ(ReplaceFileSafely(dir / "stats.ini", "[program]\r\n"), ReplaceResult::kReplaced);
  EXPECT_TRUE(fs::is_symlink(dir / "stats.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "real" / "stats.ini"), "[program]\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);

  // Only regular files are replaced: a fifo, a folder or a dangling link is refused.
  ASSERT_EQ(mkfifo((dir / "fifo.stg").c_str(), 0600), 0);
  fs::create_symlink(dir / "nowhere", dir / "dangling.stg");
  for (const char* name : {"fifo.stg", "real", "dangling.stg"}) {
    EXPECT_EQ(ReplaceFileSafely(dir / name, "x"), ReplaceResult::kRefused) << name;
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.stg"));
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
  EXPECT_EQ(ReplaceFileSafely(dir / "missing" / "p.mrv", "x"), ReplaceResult::kNoTemporary);
}

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
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir / "zero");
  fs::create_directory(dir / "folder");
  const std::vector<fs::path> hostile = {dir / "fifo", dir / "zero", "/dev/zero", dir / "folder"};

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
    EXPECT_EQ(profile_store.LastError(), kUnableToOpenFile);
    EXPECT_FALSE(profile_store.ReadProfileInfo(input.string(), nicknames, notes, info));
  }

  // A templates file that cannot be read counts as missing and says so.
  fs::create_directory(dir / "templates");
  for (const auto& input : hostile) {
    fs::remove(dir / "templates" / "DeathMsgs.txt");
    fs::create_symlink(input, dir / "templates" / "DeathMsgs.txt");
    prompt.shown.clear();
    EXPECT_TRUE(LoadDeathTemplates(dir / "templates", prompt).entries().empty());
    ASSERT_EQ(prompt.shown.size(), 1u) << input;
    EXPECT_EQ(prompt.shown[0].title, "File not found!");
  }
}

}  // namespace
}  // namespace mrv
