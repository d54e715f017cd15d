// What the program's own files may be: inputs that can never hang a reader.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "capture/death_templates.h"
#include "files/ini_file.h"
#include "files/profiler.h"
#include "files/saved_game.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

TEST(FileSafety, InputsThatAreNoRegularFilesAreRefusedAtOnce) {
  test::ScratchDir dir("safe-read");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir / "zero");
  fs::create_directory(dir / "folder");
  const std::vector<fs::path> hostile = {dir / "fifo", dir / "zero", "/dev/zero", dir / "folder"};

  test::FakePrompt prompt;
  for (const auto& input : hostile) {
    SCOPED_TRACE(input);
    Database database(2);
    std::string name;
    EXPECT_FALSE(LoadGame(database, input, name, prompt));
    EXPECT_EQ(prompt.shown.back().text, "Unable to load file " + input.string());
    IniFile ini;
    EXPECT_FALSE(ini.Load(input));
    TProfiler profiler(dir.path(), 2);
    std::vector<std::string> nicknames, notes;
    ProfileInfo info;
    EXPECT_FALSE(profiler.Open(input.string()));
    EXPECT_EQ(profiler.LastError(), kUnableToOpenFile);
    EXPECT_FALSE(profiler.ReadProfileInfo(input.string(), nicknames, notes, info));
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
