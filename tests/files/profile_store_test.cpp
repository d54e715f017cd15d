#include <gtest/gtest.h>

#include "files/profile_test_support.h"
#include "files/profiler.h"
#include "files/safe_file.h"
#include "support/paths.h"

namespace mrv {
namespace {

using test::kTestWeapons;
using test::ReadFileBytes;
using test::WriteFileBytes;

TEST(ProfileStore, NewProfileHasSevenLinesAndNoGames) {
  test::ScratchDir dir("profile-new");
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.CreateProfileFile("joe.mrv", "Joe", {"first note", "second note"}));
  EXPECT_EQ(ReadFileBytes(dir / "joe.mrv"),
            "[NOTES]\r\nfirst note\r\nsecond note\r\n[ENOTES]\r\n[NICKNAMES]\r\nJoe\r\n"
            "[ENICKNAMES]\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv.tmp"));

  ASSERT_TRUE(profiler.Open("joe.mrv"));
  stats_record totals;
  ASSERT_TRUE(profiler.ReadTotals(totals));
  EXPECT_EQ(totals, NewStatsRecord(kTestWeapons));
  std::vector<std::string> games;
  ASSERT_TRUE(profiler.ListGames(games));
  EXPECT_TRUE(games.empty());
  std::vector<std::string> nicknames;
  ASSERT_TRUE(profiler.ReadNicknames(nicknames));
  EXPECT_EQ(nicknames, std::vector<std::string>{"Joe"});

  std::vector<std::string> notes;
  ProfileInfo info{7, 7, "x", "y"};
  ASSERT_TRUE(profiler.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(notes, (std::vector<std::string>{"first note", "second note"}));
  EXPECT_EQ(info.games, 0);
  EXPECT_EQ(info.time, 0);
  EXPECT_EQ(info.first_game, "");
  EXPECT_EQ(info.last_game, "");
}

TEST(ProfileStore, ReadsTotalsGamesAndSummaryOfTheGoldenProfile) {
  test::ScratchDir dir("profile-read");
  WriteFileBytes(dir / "joe.mrv", test::TwoGamesProfile());
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));

  std::vector<std::string> games = {"kept"};
  ASSERT_TRUE(profiler.ListGames(games));
  EXPECT_EQ(games, (std::vector<std::string>{"kept", test::kGameB, test::kGameA}));

  stats_record record;
  ASSERT_TRUE(profiler.ReadTotals(record));
  EXPECT_EQ(record, test::Sum(test::GameA(), test::GameB()));
  ASSERT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{1}, record));
  EXPECT_EQ(record, test::GameB());
  ASSERT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{2}, record));
  EXPECT_EQ(record, test::GameA());
  ASSERT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{1, 2}, record));
  EXPECT_EQ(record, test::Sum(test::GameA(), test::GameB()));

  // Numbers must come in ascending order and name existing games; a failure keeps
  // the caller's record as it was.
  const stats_record before = record;
  EXPECT_FALSE(profiler.ReadGames(std::vector<std::int32_t>{2, 1}, record));
  EXPECT_EQ(profiler.LastError(), "Invalid file!");
  EXPECT_FALSE(profiler.ReadGames(std::vector<std::int32_t>{3}, record));
  EXPECT_EQ(record, before);

  std::vector<std::string> nicknames;
  std::vector<std::string> notes;
  ProfileInfo info;
  ASSERT_TRUE(profiler.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(info.games, 2);
  EXPECT_EQ(info.time, 1800);
  EXPECT_EQ(info.first_game, test::kGameA);
  EXPECT_EQ(info.last_game, test::kGameB);
  EXPECT_EQ(notes, std::vector<std::string>{"Plays on Sundays"});
  EXPECT_TRUE(profiler.Active());
}

// Replaces the first line equal to `from` by `to` (both may span several lines).
std::string Edited(std::string content, const std::string& from, const std::string& to) {
  const auto at = content.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return content.replace(at, from.size(), to);
}

TEST(ProfileStore, DamagedSectionsGiveTheirTexts) {
  test::ScratchDir dir("profile-damaged");
  TProfiler profiler(dir.path(), kTestWeapons);
  const std::string good = test::TwoGamesProfile();
  auto open_with = [&](const std::string& content) {
    profiler.Close();
    WriteFileBytes(dir / "p.mrv", content);
    EXPECT_TRUE(profiler.Open("p.mrv"));
  };
  std::vector<std::string> nicknames;
  std::vector<std::string> notes;
  ProfileInfo info;
  stats_record totals;

  open_with(Edited(good, "Joe\r\n", ""));
  EXPECT_FALSE(profiler.ReadNicknames(nicknames));
  EXPECT_EQ(profiler.LastError(), "No nicknames found! Invalid file!");
  EXPECT_FALSE(profiler.ReadProfileInfo("p.mrv", nicknames, notes, info));
  EXPECT_EQ(profiler.LastError(), "The file doesn't seem valid!");

  open_with(Edited(good, "[ENICKNAMES]\r\n", ""));
  EXPECT_FALSE(profiler.ReadNicknames(nicknames));
  EXPECT_EQ(profiler.LastError(), "The file doesn't seem valid!");

  open_with(Edited(good, "GAMES=2", "GAMES=two"));
  EXPECT_FALSE(profiler.ReadProfileInfo("p.mrv", nicknames, notes, info));
  EXPECT_EQ(profiler.LastError(), "The file doesn't seem valid!");

  // 22 values are too many; 20 leave the last location at 0.
  open_with(Edited(good, "HITS=4;0;", "HITS=4;9;0;"));
  EXPECT_FALSE(profiler.ReadTotals(totals));
  EXPECT_EQ(profiler.LastError(), "Invalid file!");
  open_with(Edited(good, "0;0;4;\r\nHITSTAKEN", "0;4;\r\nHITSTAKEN"));
  ASSERT_TRUE(profiler.ReadTotals(totals));
  EXPECT_EQ(profiler.LastError(), "");
  EXPECT_EQ(totals.hits[19], 4);
  EXPECT_EQ(totals.hits[20], 0);

  open_with(Edited(good, "FCK=2", "FCK=2x"));
  EXPECT_FALSE(profiler.ReadTotals(totals));
  EXPECT_EQ(profiler.LastError(), "Invalid file!");
  open_with(Edited(good, "[ETOTALSTATS]\r\n[GAMES]", "[GAMES]"));
  EXPECT_FALSE(profiler.ReadTotals(totals));

  // A game block must end at its marker or at the end of the file.
  open_with(Edited(good, "TIME=1200\r\n[EGAME]", "TIME=1200\r\nLASTGAME=x\r\n[EGAME]"));
  EXPECT_FALSE(profiler.ReadGames(std::vector<std::int32_t>{1}, totals));
  EXPECT_EQ(profiler.LastError(), "Invalid file!");
  EXPECT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{2}, totals));
  open_with(good.substr(0, good.size() - std::string("[EGAME]\r\n").size()));
  EXPECT_TRUE(profiler.ReadGames(std::vector<std::int32_t>{2}, totals));
  EXPECT_EQ(totals, test::GameA());
}

TEST(ProfileStore, OpensOnlyExistingFilesAndListsProfilesByName) {
  test::ScratchDir dir("profile-open");
  TProfiler profiler(dir.path(), kTestWeapons);
  EXPECT_FALSE(profiler.Open("missing.mrv"));
  EXPECT_EQ(profiler.LastError(), "");
  std::filesystem::create_directory(dir / "folder.mrv");
  EXPECT_FALSE(profiler.Open("folder.mrv"));
  EXPECT_EQ(profiler.LastError(), "Unable to open file!");
  EXPECT_FALSE(profiler.Active());

  WriteFileBytes(dir / "b.mrv", test::TwoGamesProfile());
  WriteFileBytes(dir / "a.mrv", test::TwoGamesProfile());
  WriteFileBytes(dir / "notes.txt", "x");
  WriteFileBytes(dir / "a.mrv.tmp", "x");
  ASSERT_TRUE(profiler.Open((dir / "b.mrv").string()));  // absolute names work too
  EXPECT_FALSE(profiler.Open("a.mrv"));                  // one profile at a time
  EXPECT_TRUE(profiler.Close());
  EXPECT_FALSE(profiler.Active());
  EXPECT_TRUE(profiler.Close());
  EXPECT_EQ(profiler.FillProfileList(),
            (std::vector<std::string>{"<no profile loaded>", "a.mrv", "b.mrv"}));

  std::vector<std::string> nicknames;
  EXPECT_FALSE(profiler.ReadNicknames(nicknames));  // nothing open
  LoadedProfile loaded;
  ASSERT_TRUE(LoadProfile(profiler, "a.mrv", loaded));
  EXPECT_EQ(loaded->name, "a.mrv");
  EXPECT_EQ(loaded->nicks, std::vector<std::string>{"Joe"});
  EXPECT_FALSE(LoadProfile(profiler, "missing.mrv", loaded));
  EXPECT_FALSE(loaded.has_value());
  EXPECT_FALSE(profiler.Active());
}

TEST(ProfileStore, SavingNotesAndNicknamesKeepsEverythingAfterThem) {
  test::ScratchDir dir("profile-notes");
  const std::string old_content = test::TwoGamesProfile();
  WriteFileBytes(dir / "joe.mrv", old_content);
  TProfiler profiler(dir.path(), kTestWeapons);
  ASSERT_TRUE(profiler.Open("joe.mrv"));
  ASSERT_TRUE(profiler.SaveNotesAndNicknames("joe.mrv", {"J0e", "Joe"}, {}));
  const std::string tail = old_content.substr(old_content.find("[TOTALSTATS]"));
  EXPECT_EQ(ReadFileBytes(dir / "joe.mrv"),
            "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nJ0e\r\nJoe\r\n[ENICKNAMES]\r\n" + tail);
  EXPECT_FALSE(std::filesystem::exists(dir / "joe.mrv.tmp"));
  std::vector<std::string> nicknames;
  ASSERT_TRUE(profiler.ReadNicknames(nicknames));  // the open profile sees the new file
  EXPECT_EQ(nicknames, (std::vector<std::string>{"J0e", "Joe"}));
}

TEST(ProfileStore, WritersRefuseWhatWouldNotReadBackTheSame) {
  test::ScratchDir dir("profile-refuse");
  TProfiler profiler(dir.path(), kTestWeapons);
  // A note equal to a section marker, or holding a line break, would move the
  // sections; a game line among the notes must not count as a game either.
  EXPECT_FALSE(profiler.CreateProfileFile("a.mrv", "Joe", {"[ENICKNAMES]"}));
  EXPECT_EQ(profiler.LastError(), "Unable to write to file!");
  EXPECT_FALSE(profiler.CreateProfileFile("a.mrv", "Jo\re", {}));
  EXPECT_FALSE(std::filesystem::exists(dir / "a.mrv"));
  ASSERT_TRUE(profiler.CreateProfileFile("a.mrv", "Joe", {"GAME=1=not a game"}));
  ASSERT_TRUE(profiler.Open("a.mrv"));
  std::vector<std::string> games;
  ASSERT_TRUE(profiler.ListGames(games));
  EXPECT_TRUE(games.empty());

  const std::string before = ReadFileBytes(dir / "a.mrv");
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("a.mrv", {}, {}));
  EXPECT_EQ(profiler.LastError(), "Unable to save file!");
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("a.mrv", {"Joe"}, {"[GAMES]"}));
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("a.mrv", {"Joe", "x\ny"}, {}));
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("missing.mrv", {"Joe"}, {}));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.mrv"));
  WriteFileBytes(dir / "headless.mrv", "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nJoe\r\n");
  EXPECT_FALSE(profiler.SaveNotesAndNicknames("headless.mrv", {"Joe"}, {}));
  EXPECT_EQ(ReadFileBytes(dir / "a.mrv"), before);

  stats_record totals = NewStatsRecord(kTestWeapons);
  EXPECT_FALSE(profiler.AddGame(test::GameA(), totals, "2024=05"));
  EXPECT_EQ(profiler.LastError(), "Invalid game name!");
  EXPECT_EQ(ReadFileBytes(dir / "a.mrv"), before);

  EXPECT_TRUE(IsValidProfileName("Joe's games"));
  for (const char* name : {"", "a/b", "a\\b", "a*", "a:b", "a?", "a|b", "<a", "a>", "\"a\""}) {
    EXPECT_FALSE(IsValidProfileName(name)) << name;
  }
}

}  // namespace
}  // namespace mrv
