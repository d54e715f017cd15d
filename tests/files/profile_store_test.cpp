#include <gtest/gtest.h>

#include <tuple>

#include "files/profile_test_support.h"

namespace mrv {
namespace {

using test::Edited;
using test::kTestWeapons;
using test::ReadFileBytes;
using test::WriteFileBytes;
using Numbers = std::vector<std::int32_t>;

TEST(ProfileStoreTest, ReadsTheGoldenProfile) {
  test::OpenProfile f("profile-read", test::TwoGamesProfile());
  ProfileStore& profile_store = f.profile_store;
  std::vector<std::string> games = {"kept"};
  ASSERT_TRUE(profile_store.ListGames(games));
  EXPECT_EQ(games, (std::vector<std::string>{"kept", test::kGameB, test::kGameA}));
  StatsRecord record;
  ASSERT_TRUE(profile_store.ReadTotals(record));
  EXPECT_EQ(record, test::Sum(test::GameA(), test::GameB()));
  ASSERT_TRUE(profile_store.ReadGames(Numbers{2}, record));
  EXPECT_EQ(record, test::GameA());
  // Numbers come in ascending order and name existing games; a failure keeps the
  // caller's record.
  EXPECT_FALSE(profile_store.ReadGames(Numbers{2, 1}, record));
  EXPECT_EQ(profile_store.LastError(), "Invalid file!");
  EXPECT_FALSE(profile_store.ReadGames(Numbers{3}, record));
  EXPECT_EQ(record, test::GameA());
  std::vector<std::string> nicknames, notes;
  ProfileInfo info;
  ASSERT_TRUE(profile_store.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(std::tie(info.games, info.time, info.first_game, info.last_game),
            std::make_tuple(2, 1800, test::kGameA, test::kGameB));
}

// Each game's figures in one pass, named and ordered as the games list; a damaged game
// block, which only a sum of its own game would meet, fails the whole reading.
TEST(ProfileStoreTest, ReadsEveryGamesFiguresOrNone) {
  test::OpenProfile f("profile-figures", test::TwoGamesProfile());
  std::vector<GameFigures> games;
  ASSERT_TRUE(f.profile_store.ReadGameFigures(games));
  EXPECT_EQ(games, (std::vector<GameFigures>{FiguresOf(test::kGameB, test::GameB()),
                                             FiguresOf(test::kGameA, test::GameA())}));
  EXPECT_EQ(games[1].kills, 3);
  EXPECT_EQ(games[1].deaths, 2);
  EXPECT_EQ(games[1].hits[2], 2);
  EXPECT_EQ(std::tie(games[1].caps, games[1].carrier_kills, games[1].flags_taken, games[1].time),
            std::make_tuple(1, 2, 3, 600));

  const std::string good = test::TwoGamesProfile();
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"TIME=600\r\n", "TIME=6OO\r\n"},               // a bad number
           {"TIME=600\r\n[EGAME]", "TIME=600\r\nNOTE=x"},  // a block that does not end
           {"[EGAME]\r\nGAME=2", "GAME=2"}}) {             // the next game inside it
    f.Rewrite(Edited(good, from, to));
    games = {FiguresOf("kept", test::GameA())};
    EXPECT_FALSE(f.profile_store.ReadGameFigures(games)) << to;
    EXPECT_EQ(f.profile_store.LastError(), "Invalid file!");
    EXPECT_EQ(games.size(), 1u) << "the caller's list stays";
  }
  // A profile without games has none, and no section to read them from.
  f.Rewrite(good.substr(0, good.find("[TOTALSTATS]")));
  ASSERT_TRUE(f.profile_store.ReadGameFigures(games));
  EXPECT_TRUE(games.empty());
}

TEST(ProfileStoreTest, DamagedSectionsGiveTheirTexts) {
  test::OpenProfile f("profile-damaged", test::TwoGamesProfile());
  ProfileStore& profile_store = f.profile_store;
  const std::string good = test::TwoGamesProfile();
  const auto open_with = [&f](const std::string& content) { f.Rewrite(content); };
  std::vector<std::string> nicknames, notes;
  ProfileInfo info;
  StatsRecord totals;

  open_with(Edited(good, "Joe\r\n", ""));
  EXPECT_FALSE(profile_store.ReadNicknames(nicknames));
  EXPECT_EQ(profile_store.LastError(), "No nicknames found! Invalid file!");
  EXPECT_FALSE(profile_store.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(profile_store.LastError(), "The file doesn't seem valid!");

  // 20 values leave the last location at 0 (too many: see the hostile profiles).
  open_with(Edited(good, "HITS=4;0;2;0;", "HITS=4;0;2;"));
  ASSERT_TRUE(profile_store.ReadTotals(totals));
  EXPECT_EQ(profile_store.LastError(), "");
  EXPECT_EQ(totals.hits[2], 2);
  EXPECT_EQ(totals.hits[20], 0);

  // A game block ends at its marker or at the end of the file, never at another key.
  open_with(Edited(good, "TIME=1200\r\n", "TIME=1200\r\nLASTGAME=x\r\n"));
  EXPECT_FALSE(profile_store.ReadGames(Numbers{1}, totals));
  EXPECT_EQ(profile_store.LastError(), "Invalid file!");
  open_with(good.substr(0, good.size() - 9));
  ASSERT_TRUE(profile_store.ReadGames(Numbers{2}, totals));
  EXPECT_EQ(totals, test::GameA());
}

// Every figure of a profile counts something: a negative one is damage, and the file
// is refused as damaged, whichever reader meets it.
TEST(ProfileStoreTest, NegativeFiguresAreDamage) {
  test::OpenProfile f("profile-negative", test::TwoGamesProfile());
  ProfileStore& profile_store = f.profile_store;
  const std::string good = test::TwoGamesProfile();
  const auto open_with = [&f](const std::string& content) { f.Rewrite(content); };
  std::vector<std::string> nicknames, notes;
  ProfileInfo info;
  StatsRecord figures;
  for (const auto& [from, to] : {std::pair{"TIME=1800", "TIME=-1"}, {"GAMES=2", "GAMES=-7"}}) {
    open_with(Edited(good, from, to));
    EXPECT_FALSE(profile_store.ReadProfileInfo("joe.mrv", nicknames, notes, info)) << to;
    EXPECT_EQ(profile_store.LastError(), "The file doesn't seem valid!");
  }
  ASSERT_TRUE(profile_store.ReadTotals(figures));  // which skips the game count, but
  EXPECT_FALSE(profile_store.AddGame(test::GameA(), figures, "late"));  // a change reads it
  EXPECT_EQ(profile_store.LastError(), "Invalid file!");
  for (const auto& [from, to] : {std::pair{"KILLS=2;5;1;", "KILLS=2;-2147483648;1;"},
                                 {"HITS=4;0;2;", "HITS=4;0;-2;"},
                                 {"CAPS=1", "CAPS=-1"}}) {
    open_with(Edited(good, from, to));
    EXPECT_FALSE(profile_store.ReadTotals(figures)) << to;
    EXPECT_EQ(profile_store.LastError(), "Invalid file!");
  }
  open_with(Edited(good, "TIME=1200", "TIME=-1200"));  // in game 1's block
  EXPECT_FALSE(profile_store.ReadGames(Numbers{1}, figures));
  EXPECT_EQ(profile_store.LastError(), "Invalid file!");

  // Totals smaller than a game they hold (changed by hand): taking the game out leaves
  // zero, not a figure that would make the profile unreadable.
  open_with(Edited(Edited(good, "GAMES=2", "GAMES=0"), "TIME=1800", "TIME=100"));
  std::vector<std::string> listed;
  ASSERT_TRUE(profile_store.ListGames(listed));
  ASSERT_TRUE(profile_store.RemoveGames(Numbers{1}, listed)) << profile_store.LastError();
  ASSERT_TRUE(profile_store.ReadProfileInfo("joe.mrv", nicknames, notes, info));
  EXPECT_EQ(std::tie(info.games, info.time), std::make_tuple(0, 0));
  EXPECT_TRUE(profile_store.ReadTotals(figures));
}

TEST(ProfileStoreTest, OpensOnlyExistingFilesAndListsProfilesByName) {
  test::ScratchDir dir("profile-open");
  ProfileStore profile_store(dir.path(), kTestWeapons);
  EXPECT_FALSE(profile_store.Open("missing.mrv"));
  EXPECT_EQ(profile_store.LastError(), "");
  for (const char* name : {"b.mrv", "a.mrv", "notes.txt", "a.mrv.tmp"}) {
    WriteFileBytes(dir / name, test::TwoGamesProfile());
  }
  EXPECT_EQ(profile_store.FillProfileList(),
            (std::vector<std::string>{"<no profile loaded>", "a.mrv", "b.mrv"}));
  ASSERT_TRUE(profile_store.Open("b.mrv"));
  EXPECT_FALSE(profile_store.Open("a.mrv"));  // one profile at a time

  LoadedProfile loaded;
  ASSERT_TRUE(LoadProfile(profile_store, "a.mrv", loaded));
  EXPECT_EQ(loaded->name, "a.mrv");
  EXPECT_EQ(loaded->nicks, std::vector<std::string>{"Joe"});
  EXPECT_FALSE(LoadProfile(profile_store, "missing.mrv", loaded));
  EXPECT_FALSE(loaded.has_value());
  EXPECT_FALSE(profile_store.Active());
}

TEST(ProfileStoreTest, SavingNotesAndNicknamesKeepsEverythingAfterThem) {
  const std::string old_content = test::TwoGamesProfile();
  test::OpenProfile f("profile-notes", old_content);
  ASSERT_TRUE(f.profile_store.SaveNotesAndNicknames("joe.mrv", {"J0e", "Joe"}, {}));
  EXPECT_EQ(f.File(), "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nJ0e\r\nJoe\r\n[ENICKNAMES]\r\n" +
                          old_content.substr(old_content.find("[TOTALSTATS]")));
  EXPECT_FALSE(std::filesystem::exists(f.dir / "joe.mrv.tmp"));
  std::vector<std::string> nicknames;
  ASSERT_TRUE(f.profile_store.ReadNicknames(nicknames));  // the open profile sees the new file
  EXPECT_EQ(nicknames, (std::vector<std::string>{"J0e", "Joe"}));
}

TEST(ProfileStoreTest, NewProfilesHaveNoGamesAndWritersRefuseWhatWouldNotReadBack) {
  test::ScratchDir dir("profile-new");
  ProfileStore profile_store(dir.path(), kTestWeapons);
  // A note equal to a section marker, or holding a line break, would move sections.
  EXPECT_FALSE(profile_store.CreateProfileFile("a.mrv", "Joe", {"[ENICKNAMES]"}));
  EXPECT_EQ(profile_store.LastError(), "Unable to write to file!");
  EXPECT_FALSE(profile_store.CreateProfileFile("a.mrv", "Jo\re", {}));
  EXPECT_FALSE(std::filesystem::exists(dir / "a.mrv"));
  // A game line among the notes is no game.
  ASSERT_TRUE(profile_store.CreateProfileFile("a.mrv", "Joe", {"first note", "GAME=1=not a game"}));
  const std::string before = ReadFileBytes(dir / "a.mrv");
  EXPECT_EQ(before,
            "[NOTES]\r\nfirst note\r\nGAME=1=not a game\r\n[ENOTES]\r\n[NICKNAMES]\r\nJoe\r\n"
            "[ENICKNAMES]\r\n");
  ASSERT_TRUE(profile_store.Open("a.mrv"));
  StatsRecord totals;
  std::vector<std::string> games;
  ASSERT_TRUE(profile_store.ReadTotals(totals));
  EXPECT_EQ(totals, NewStatsRecord(kTestWeapons));
  ASSERT_TRUE(profile_store.ListGames(games));
  EXPECT_TRUE(games.empty());
  std::vector<std::string> nicknames, notes;
  ProfileInfo info{7, 7, "x", "y"};
  ASSERT_TRUE(profile_store.ReadProfileInfo("a.mrv", nicknames, notes, info));
  EXPECT_EQ(notes, (std::vector<std::string>{"first note", "GAME=1=not a game"}));
  EXPECT_EQ(nicknames, std::vector<std::string>{"Joe"});
  EXPECT_EQ(info.games + info.time, 0);
  EXPECT_EQ(info.first_game + info.last_game, "");

  EXPECT_FALSE(profile_store.SaveNotesAndNicknames("a.mrv", {}, {}));
  EXPECT_EQ(profile_store.LastError(), "Unable to save file!");
  EXPECT_FALSE(profile_store.SaveNotesAndNicknames("a.mrv", {"Joe"}, {"[GAMES]"}));
  EXPECT_FALSE(profile_store.SaveNotesAndNicknames("a.mrv", {"Joe", "x\ny"}, {}));
  EXPECT_FALSE(profile_store.SaveNotesAndNicknames("missing.mrv", {"Joe"}, {}));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.mrv"));
  totals = NewStatsRecord(kTestWeapons);
  EXPECT_FALSE(profile_store.AddGame(test::GameA(), totals, "2024=05"));
  EXPECT_EQ(profile_store.LastError(), "Invalid game name!");
  EXPECT_EQ(ReadFileBytes(dir / "a.mrv"), before);
}

}  // namespace
}  // namespace mrv
