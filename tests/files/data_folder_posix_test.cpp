// The data-folder rule: which folder each program uses, how a new one is seeded, what a
// read-only folder gives, two programs seeding at once, and the copy of files left in
// the program's folder.
#include "files/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "files/data_folder_migration.h"
#include "files/platform_folders.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::ScratchDir;
using test::WriteFileBytes;

constexpr uid_t kNobody = 65534;

// A program folder "bin" holding the shipped files, and an empty user folder.
class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() : scratch_("data-folder") {
    fs::create_directories(program_dir());
    for (const char* file : kShippedFiles) fs::copy_file(test::ShippedDir() / file, program_dir() / file);
  }
  fs::path program_dir() const { return scratch_ / "bin"; }
  fs::path user_dir() const { return scratch_ / "home" / "morvane"; }
  DataFolderPlaces Places() const { return {{}, {}, program_dir(), user_dir()}; }

  // `check` in a child process, as an unprivileged user when the test runs as root (who
  // may write anywhere), so that read-only folders are read-only; what it returned.
  static std::string AsUser(const std::function<std::string()>& check) {
    int out[2];
    if (pipe(out) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
      close(out[0]);
      if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(1);
      const std::string said = check();
      const bool written = write(out[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
      _exit(written ? 0 : 1);
    }
    close(out[1]);
    std::string said;
    char buffer[512];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, got);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : "child failed";
  }

  // A folder the unprivileged user may write (root's scratch folder is not theirs).
  static void GiveToUser(const fs::path& dir) {
    fs::create_directories(dir);
    if (geteuid() == 0) {
      for (fs::path part = dir; part.has_relative_path() && part != fs::temp_directory_path();
           part = part.parent_path()) {
        if (chown(part.c_str(), kNobody, kNobody) != 0) break;
      }
    }
  }

  ScratchDir scratch_;
};

TEST_F(DataFolderTest, EachPlaceWinsInItsTurn) {
  DataFolderPlaces places = Places();
  places.option = scratch_ / "option";
  places.environment = scratch_ / "environment";
  const auto chosen = [&places] {
    const DataFolder folder = ChooseDataFolder(places);
    return std::pair{folder.dir, folder.source};
  };
  EXPECT_EQ(chosen(), std::pair(places.option, DataFolderSource::kOption));
  places.option.clear();
  EXPECT_EQ(chosen(), std::pair(places.environment, DataFolderSource::kEnvironment));
  places.environment.clear();
  // A folder holding stats.ini that can be written is portable, as a build folder is.
  EXPECT_EQ(chosen(), std::pair(program_dir(), DataFolderSource::kProgramFolder));
  EXPECT_EQ(DescribeDataFolder(ChooseDataFolder(places)), program_dir().string() + " (the program's folder)");
  fs::remove(program_dir() / "stats.ini");
  EXPECT_EQ(chosen(), std::pair(user_dir(), DataFolderSource::kUserFolder));
  EXPECT_FALSE(fs::exists(scratch_ / "home")) << "choosing writes nothing";
  // A relative --dir is taken from where the program was started.
  places.option = "relative";
  EXPECT_EQ(ChooseDataFolder(places).dir, fs::current_path() / "relative");
}

TEST_F(DataFolderTest, TheUserFolderFollowsTheBaseDirectoryRules) {
  const char* home = std::getenv("HOME");
  const char* data_home = std::getenv("XDG_DATA_HOME");
  setenv("HOME", "/home/morv", 1);
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(UserDataFolder(), fs::path("/data/morvane"));
  setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  EXPECT_EQ(UserDataFolder(), fs::path("/home/morv/.local/share/morvane"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), fs::path("/home/morv/.local/share/morvane"));
  unsetenv("HOME");
  EXPECT_EQ(UserDataFolder(), fs::path());
  std::string error;
  EXPECT_FALSE(PrepareDataFolder({{}, DataFolderSource::kUserFolder, program_dir()}, error));
  EXPECT_NE(error.find("MORVANE_DIR"), std::string::npos) << error;
  home != nullptr ? setenv("HOME", home, 1) : unsetenv("HOME");
  data_home != nullptr ? setenv("XDG_DATA_HOME", data_home, 1) : unsetenv("XDG_DATA_HOME");
}

// Seeding copies byte for byte, from the program's folder or from share/morvane beside
// its bin/, and never over a file the user has.
TEST_F(DataFolderTest, SeedingCopiesTheShippedFilesWithoutOverwriting) {
  const DataFolder folder{user_dir(), DataFolderSource::kUserFolder, program_dir()};
  fs::create_directories(user_dir());
  WriteFileBytes(user_dir() / "DeathMsgs.txt", "mine\n");
  std::string error;
  ASSERT_TRUE(PrepareDataFolder(folder, error)) << error;
  EXPECT_EQ(ReadFileBytes(user_dir() / "DeathMsgs.txt"), "mine\n");
  EXPECT_EQ(ReadFileBytes(user_dir() / "stats.ini"), ReadFileBytes(program_dir() / "stats.ini"));
  EXPECT_EQ(ReadFileBytes(user_dir() / "GameTexts.txt"), ReadFileBytes(program_dir() / "GameTexts.txt"));
  // A file the user removed stays removed: the folder holds stats.ini.
  fs::remove(user_dir() / "GameTexts.txt");
  ASSERT_TRUE(PrepareDataFolder(folder, error));
  EXPECT_FALSE(fs::exists(user_dir() / "GameTexts.txt"));

  // Installed: bin/ holds only programs, the files are in share/morvane; the copy is
  // the user's to change even when the installed file is read-only.
  const fs::path share = scratch_ / "share" / "morvane";
  fs::create_directories(share);
  for (const char* file : kShippedFiles) fs::rename(program_dir() / file, share / file);
  fs::permissions(share / "stats.ini", fs::perms::owner_read | fs::perms::group_read);
  const fs::path fresh = scratch_ / "fresh" / "deep";
  ASSERT_TRUE(PrepareDataFolder({fresh, DataFolderSource::kOption, program_dir()}, error)) << error;
  for (const char* file : kShippedFiles) EXPECT_EQ(ReadFileBytes(fresh / file), ReadFileBytes(share / file));
  EXPECT_NE(fs::status(fresh / "stats.ini").permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(std::distance(fs::directory_iterator(fresh), fs::directory_iterator()), 3) << "no leftovers";

  // Nothing shipped anywhere: the folder is made, and stats.ini's own message follows.
  for (const char* file : kShippedFiles) fs::remove(share / file);
  ASSERT_TRUE(PrepareDataFolder({scratch_ / "bare", DataFolderSource::kOption, program_dir()}, error));
  EXPECT_TRUE(fs::is_empty(scratch_ / "bare"));
}

// A program folder the user may not write is no data folder even with stats.ini (an
// installed copy); a data folder that cannot be written is said clearly.
TEST_F(DataFolderTest, ReadOnlyFoldersAreLeftAloneOrNamed) {
  GiveToUser(user_dir().parent_path());
  fs::permissions(program_dir(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const fs::path locked = scratch_ / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  const std::string said = AsUser([&] {
    const DataFolder folder = ChooseDataFolder(Places());
    std::string error;
    const bool prepared = PrepareDataFolder(folder, error);
    std::string locked_error;
    PrepareDataFolder({locked, DataFolderSource::kOption, program_dir()}, locked_error);
    return folder.dir.string() + "|" + (prepared ? "prepared" : error) + "|" + locked_error;
  });
  EXPECT_EQ(said, user_dir().string() + "|prepared|Unable to write in the data folder " + locked.string() +
                      ": Permission denied");
  EXPECT_EQ(ReadFileBytes(user_dir() / "stats.ini"), ReadFileBytes(program_dir() / "stats.ini"));
  EXPECT_TRUE(fs::is_empty(locked));
  fs::permissions(program_dir(), fs::perms::owner_all);
}

TEST_F(DataFolderTest, ProgramsStartingTogetherSeedTheFolderOnce) {
  const DataFolder folder{user_dir(), DataFolderSource::kUserFolder, program_dir()};
  std::vector<pid_t> children;
  for (int i = 0; i < 6; ++i) {
    children.push_back(fork());
    if (children.back() == 0) {
      std::string error;
      _exit(PrepareDataFolder(folder, error) && fs::exists(user_dir() / "stats.ini") ? 0 : 1);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(user_dir())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"DeathMsgs.txt", "GameTexts.txt", "stats.ini"}));
  for (const char* file : kShippedFiles) {
    EXPECT_EQ(ReadFileBytes(user_dir() / file), ReadFileBytes(program_dir() / file)) << file;
  }
}

TEST_F(DataFolderTest, FilesLeftInTheProgramFolderAreCopiedNotMoved) {
  const DataFolder folder{user_dir(), DataFolderSource::kUserFolder, program_dir()};
  std::string error;
  ASSERT_TRUE(PrepareDataFolder(folder, error));
  EXPECT_TRUE(FilesLeftInProgramFolder(folder).empty());
  fs::create_directories(program_dir() / "games");
  WriteFileBytes(program_dir() / "games" / "friday.stg", "old game");
  WriteFileBytes(program_dir() / "games" / "notes.txt", "not a game");
  WriteFileBytes(program_dir() / "Morv.mrv", "old profile");
  WriteFileBytes(program_dir() / "Fak.mrv", "old Fak");
  WriteFileBytes(user_dir() / "Fak.mrv", "new Fak");
  const auto files = FilesLeftInProgramFolder(folder);
  EXPECT_EQ(files, (std::vector<fs::path>{"Morv.mrv", fs::path("games") / "friday.stg"}));
  // The same folder twice (a portable folder) leaves nothing to copy.
  EXPECT_TRUE(FilesLeftInProgramFolder({program_dir(), DataFolderSource::kProgramFolder, program_dir()}).empty());

  WriteFileBytes(user_dir() / "Morv.mrv", "made meanwhile");
  EXPECT_EQ(CopyFilesToDataFolder(folder, files, error), 1);
  EXPECT_EQ(error, "");
  EXPECT_EQ(ReadFileBytes(user_dir() / "games" / "friday.stg"), "old game");
  EXPECT_EQ(ReadFileBytes(user_dir() / "Morv.mrv"), "made meanwhile");
  EXPECT_EQ(ReadFileBytes(user_dir() / "Fak.mrv"), "new Fak");
  EXPECT_EQ(ReadFileBytes(program_dir() / "games" / "friday.stg"), "old game");

  // Offered once per program folder, kept in stats.ini.
  EXPECT_FALSE(CopyWasOffered(folder));
  ASSERT_TRUE(RememberCopyOffered(folder));
  EXPECT_TRUE(CopyWasOffered(folder));
  EXPECT_FALSE(CopyWasOffered({user_dir(), DataFolderSource::kUserFolder, scratch_ / "elsewhere"}));
}

}  // namespace
}  // namespace mrv
