// Damaged and hostile profile files: the documented texts, no crash, no unbounded
// memory, and never a changed file.
#include <gtest/gtest.h>

#include "files/profile_test_support.h"

namespace mrv {
namespace {

// LastError (or "ok") of every reader and writer, in the order: nicknames, games,
// totals, game sums, info, add, remove, save. Checks that no failed writer changed
// the file.
std::vector<std::string> RunEverything(const test::ScratchDir& dir, const std::string& content) {
  const auto file = dir / "p.mrv";
  test::WriteFileBytes(file, content);
  ProfileStore profile_store(dir.path(), test::kTestWeapons);
  EXPECT_TRUE(profile_store.Open("p.mrv"));
  std::vector<std::string> outcome;
  auto note = [&](bool ok) { outcome.push_back(ok ? "ok" : profile_store.LastError()); };
  auto note_write = [&](bool ok) {
    note(ok);
    if (!ok) {
      EXPECT_EQ(test::ReadFileBytes(file), content);
    }
    EXPECT_TRUE(profile_store.Active());
    test::WriteFileBytes(file, content);
  };
  std::vector<std::string> lines, notes;
  StatsRecord record;
  ProfileInfo info;
  note(profile_store.ReadNicknames(lines));
  note(profile_store.ListGames(lines));
  note(profile_store.ReadTotals(record));
  note(profile_store.ReadGames(std::vector<std::int32_t>{1}, record));
  note(profile_store.ReadProfileInfo("p.mrv", lines, notes, info));
  record = NewStatsRecord(test::kTestWeapons);
  note_write(profile_store.AddGame(test::GameA(), record, "g"));
  note_write(profile_store.RemoveGames(std::vector<std::int32_t>{1},
                                       std::vector<std::string>{test::kGameB, test::kGameA}));
  note_write(profile_store.SaveNotesAndNicknames("p.mrv", {"Joe"}, {}));
  return outcome;
}

using Texts = std::vector<std::string>;
const std::string kNotValid = "The file doesn't seem valid!";
const std::string kInvalid = "Invalid file!";
const std::string kUnsaved = "Unable to save file!";

TEST(ProfileHostileTest, OverlongLinesBadNumbersAndLayoutFaultsMakeTheFileInvalid) {
  test::ScratchDir dir("profile-hostile");
  const std::string good = test::TwoGamesProfile();
  const std::string huge(10 * 1024 * 1024, 'x');
  EXPECT_EQ(
      RunEverything(dir, test::Edited(good, "Plays", huge)),
      (Texts{kNotValid, kInvalid, kInvalid, kInvalid, kNotValid, kInvalid, kInvalid, kUnsaved}));
  // A value list far too long for its line, in the newest game's block.
  std::string list;
  while (list.size() <= kMaxProfileLine) list += "1;";
  EXPECT_EQ(RunEverything(dir, test::Edited(good, "KILLS=0;5;0;", "KILLS=" + list)),
            (Texts{"ok", kInvalid, "ok", kInvalid, "ok", kInvalid, kInvalid, kUnsaved}));

  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"TIME=1800", "TIME=99999999999"},
           {"FT=4", "FT="},
           {"KILLS=2;5;1;", "KILLS=2;5;1;0;"},
           {"KILLS=2;5;1;", "KILLS=2;;1;"},
       }) {
    const auto outcome = RunEverything(dir, test::Edited(good, from, to));
    EXPECT_EQ(outcome[2], kInvalid) << to;  // totals
    EXPECT_EQ(outcome[6], kInvalid) << to;  // remove
  }
  EXPECT_EQ(RunEverything(dir, test::Edited(good, "GAMES=2", "GAMES=-"))[5], kInvalid);
  EXPECT_EQ(RunEverything(dir, test::Edited(good, "GAME=1=", "GAME=one="))[6], kInvalid);

  // Layout faults. Adding copies the games section as it stands; removing checks every
  // block, and a profile without games has none to remove.
  const auto hits = good.substr(good.find("HITS="), good.find("HITSTAKEN=") - good.find("HITS="));
  for (const auto& [content, adding] : std::vector<std::pair<std::string, bool>>{
           {test::Edited(test::Edited(good, hits, ""), "DEATHHITS=", hits + "DEATHHITS="), true},
           {test::Edited(good, "[ETOTALSTATS]", "[END]"), true},
           {good.substr(0, good.find("FIRSTGAME")), true},
           {good.substr(0, good.find("[ENICKNAMES]")), true},
           {good + "stray line\r\n", false},
           {good.substr(0, good.size() - 9), false},
           {good.substr(0, good.find("[TOTALSTATS]")), false},
       }) {
    const auto outcome = RunEverything(dir, content);
    if (adding) {
      EXPECT_EQ(outcome[5], kInvalid) << content;
    }
    EXPECT_EQ(outcome[6], kInvalid) << content;
  }
}

TEST(ProfileHostileTest, EmptyFilesAndBrokenMarkersNeverPassAsProfiles) {
  // Random bytes are the fuzz target's; these are the near misses.
  test::ScratchDir dir("profile-empty");
  EXPECT_EQ(RunEverything(dir, ""),
            (Texts{kNotValid, "ok", "ok", kInvalid, kNotValid, kInvalid, kInvalid, kUnsaved}));
  // A marker with a NUL byte inside is no marker.
  std::string nul = test::TwoGamesProfile();
  nul[nul.find("[ENICKNAMES]") + 3] = '\0';
  EXPECT_EQ(RunEverything(dir, nul)[0], kNotValid);
}

}  // namespace
}  // namespace mrv
