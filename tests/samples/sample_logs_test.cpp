// Every bundled sample log, parsed as the log-file run does, gives the saved game kept
// beside the tests byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "capture/capture_session.h"
#include "capture/log_file_run.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "model/text.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;

struct ParsedSample {
  WeaponTable weapons;
  StatsStore store;
  test::FakePrompt prompt;
};

// The older samples show the older game text, the later ones what Urban Terror 4.1 and
// later versions print.
const std::vector<std::string> kOlderSamples = {"ffa_short", "ctf_abbey", "ts_two_maps",
                                                "long_session"};
const std::vector<std::string> kLaterSamples = {"ts_damage_41", "ctf_colour_names"};

// Parses one sample with the files of the program folder, the player "Morv" named as
// the profile.
std::unique_ptr<ParsedSample> Parse(const std::string& stem,
                                    const fs::path& data_dir = test::ShippedDir()) {
  auto parsed = std::make_unique<ParsedSample>();
  EXPECT_TRUE(ReadWeaponSettings(data_dir, parsed->weapons, parsed->prompt));
  parsed->store = StatsStore(parsed->weapons.size());
  const DeathTemplates templates = LoadDeathTemplates(data_dir, parsed->prompt);
  const GameTexts texts = LoadGameTexts(data_dir, parsed->prompt);
  SystemClock clock;
  SilentSoundPlayer sound;
  test::FakeRandom random;
  CancelToken cancel;
  CaptureSession session(parsed->store, parsed->weapons, templates,
                         {clock, sound, random, parsed->prompt, cancel}, texts);
  session.state.options.monitor = false;
  session.state.options.own_nicknames = {"Morv"};
  const LogParseResult result = ParseLogFile(session, test::SamplesDir() / (stem + ".log"));
  EXPECT_TRUE(result.show_stats) << stem << ": " << result.ErrorMessage;
  EXPECT_FALSE(result.unknown_weapon) << stem;
  EXPECT_TRUE(parsed->prompt.shown.empty()) << stem;
  return parsed;
}

std::string SavedGameText(const ParsedSample& parsed, const std::string& stem) {
  const auto text = GameFileText(parsed.store, stem);
  EXPECT_TRUE(text) << stem;
  return text.value_or("");
}

fs::path GoldenOf(const std::string& stem) {
  return test::TestDataDir() / "golden" / (stem + ".stg");
}

std::int64_t Sum(const LocationCounts& counts) {
  return std::accumulate(counts.begin(), counts.end(), 0LL);
}

// A program folder as a player leaves it who removed GameTexts.txt.
class FolderWithoutGameTexts {
 public:
  FolderWithoutGameTexts() : dir_("no-game-texts") {
    for (const char* file : {"stats.ini", "DeathMsgs.txt"}) {
      fs::copy_file(test::ShippedDir() / file, dir_ / file);
    }
  }
  const fs::path& path() const { return dir_.path(); }

 private:
  test::ScratchDir dir_;
};

// Without GameTexts.txt every older sample gives the saved game it gave before that
// file existed; the later samples are read with it.
TEST(SampleLogsTest, EachGivesItsGoldenSavedGame) {
  const FolderWithoutGameTexts without;
  std::vector<std::pair<std::string, fs::path>> runs;
  for (const std::string& stem : kOlderSamples) runs.emplace_back(stem, without.path());
  for (const std::string& stem : kLaterSamples) runs.emplace_back(stem, test::ShippedDir());
  for (const auto& [stem, data_dir] : runs) {
    const auto parsed = Parse(stem, data_dir);
    const std::string text = SavedGameText(*parsed, stem);
    test::ExpectGolden(text, stem + ".stg");

    // And the saved game reads back to the same file.
    StatsStore loaded(parsed->weapons.size());
    std::string name;
    test::FakePrompt prompt;
    ASSERT_TRUE(LoadGame(loaded, GoldenOf(stem), name, prompt)) << stem;
    EXPECT_EQ(name, stem);
    EXPECT_EQ(GameFileText(loaded, name), text) << stem;
  }
}

// The game texts leave the older text alone; only the chat that quotes a kill in
// ctf_abbey.log stops counting.
TEST(SampleLogsTest, GameTextsChangeOnlyChatInTheOlderSamples) {
  for (const std::string& stem : kOlderSamples) {
    if (stem == "ctf_abbey") continue;
    EXPECT_EQ(SavedGameText(*Parse(stem), stem), test::ReadFileBytes(GoldenOf(stem))) << stem;
  }
  const auto abbey = Parse("ctf_abbey");
  const MapRecord& map = abbey->store[0];
  EXPECT_EQ(map.nick_count(), 12);  // no player "^4Blub^3: ^3Dr Pepper"
  EXPECT_EQ(KillsOf(map, NickIndex(map, "Blub")), 3);
}

// Figures counted by hand when the samples were written, independent of the code.
TEST(SampleLogsTest, CountWhatTheirAuthorCounted) {
  const auto abbey = Parse("ctf_abbey");
  ASSERT_EQ(abbey->store.size(), 1);
  const MapRecord& map = abbey->store[0];
  EXPECT_EQ(map.name, "ut4_abbey");
  EXPECT_EQ(Sum(map.hits), 28);
  EXPECT_EQ(Sum(map.hits_taken), 13);
  EXPECT_EQ(map.blue_caps + map.red_caps, 4);
  EXPECT_EQ(map.blue_rets + map.red_rets, 5);
  EXPECT_EQ(map.blue_carrier_kills + map.red_carrier_kills, 7);
  EXPECT_EQ(map.own_nick, AbsentMark);  // a log never answers the name query
  EXPECT_EQ(map.duration, 0);

  const auto two = Parse("ts_two_maps");
  ASSERT_EQ(two->store.size(), 2);  // the video restart opens no third map
  EXPECT_EQ(two->store[0].name, "ut4_turnpike");
  EXPECT_EQ(two->store[1].name, "ut4_casa");
  EXPECT_EQ(Sum(two->store[0].hits) + Sum(two->store[1].hits), 29);
  EXPECT_EQ(Sum(two->store[0].hits_taken) + Sum(two->store[1].hits_taken), 18);

  const auto evening = Parse("long_session");
  EXPECT_EQ(evening->store.size(), 7);
  std::int64_t given = 0, taken = 0, caps = 0;
  for (const auto& m : evening->store.maps) {
    given += Sum(m->hits);
    taken += Sum(m->hits_taken);
    caps += m->blue_caps + m->red_caps;
  }
  EXPECT_EQ(given, 833);
  EXPECT_EQ(taken, 446);
  EXPECT_EQ(caps, 31);
}

// Location counts from (hit location, count) pairs.
LocationCounts Counts(std::initializer_list<std::pair<int, std::int32_t>> entries) {
  LocationCounts counts{};
  for (const auto& [location, count] : entries) counts[static_cast<std::size_t>(location)] = count;
  return counts;
}

std::int64_t KillLines(const MapRecord& map) {
  std::int64_t lines = 0;
  for (const KillTable::Cell& cell : map.kill_table().cells()) lines += cell.count;
  return lines;
}

// The figures of the later samples, counted by hand. The 4.1 names count as Head (0),
// Helmet (2), Torso as Chest (8), Kevlar as Kevlar Vest (7), Arms as Right Arm (4) and
// Legs as Right Leg (17).
TEST(SampleLogsTest, LaterSamplesCountWhatTheirAuthorCounted) {
  const auto damage = Parse("ts_damage_41");
  ASSERT_EQ(damage->store.size(), 2);  // one map per "13 crosshairs parsed" load
  const MapRecord& turnpike = damage->store[0];
  EXPECT_EQ(turnpike.name, "ut4_turnpike");
  EXPECT_EQ(turnpike.hits, Counts({{0, 1}, {2, 2}, {8, 4}, {7, 2}, {4, 2}, {17, 1}}));
  EXPECT_EQ(turnpike.hits_taken, Counts({{0, 2}, {2, 1}, {8, 2}, {7, 2}, {4, 1}, {17, 2}}));
  EXPECT_EQ(turnpike.killing_hits, Counts({{0, 1}, {2, 1}, {8, 2}, {7, 1}}));
  EXPECT_EQ(turnpike.last_hits_taken, Counts({{0, 2}, {8, 1}}));
  EXPECT_EQ(KillLines(turnpike), 24);  // the chat that quotes kills counts none
  EXPECT_EQ(turnpike.nick_count(), 10);
  const MapRecord& uptown = damage->store[1];
  EXPECT_EQ(uptown.name, "ut4_uptown");
  EXPECT_EQ(uptown.hits, Counts({{0, 1}, {2, 1}, {8, 2}, {7, 1}, {4, 1}, {17, 2}}));
  EXPECT_EQ(uptown.hits_taken, Counts({{0, 1}, {2, 1}, {8, 2}, {7, 1}, {4, 1}, {17, 1}}));
  EXPECT_EQ(uptown.killing_hits, Counts({{0, 1}, {8, 2}, {4, 1}}));
  EXPECT_EQ(uptown.last_hits_taken, Counts({{0, 1}, {8, 1}}));
  EXPECT_EQ(KillLines(uptown), 16);
  EXPECT_EQ(uptown.nick_count(), 10);  // PAPANGU left; what Morv watched adds nobody
  EXPECT_EQ(uptown.teams[static_cast<std::size_t>(NickIndex(uptown, "Fak"))], 2);

  const auto colours = Parse("ctf_colour_names");
  ASSERT_EQ(colours->store.size(), 1);
  const MapRecord& algiers = colours->store[0];
  EXPECT_EQ(algiers.nicks, (std::vector<std::string>{"Morv", "Fak", "Kr4ken", "pascochasco",
                                                     "[FU]Rasec", "Blub", "Dr Pepper", "Lupin"}));
  EXPECT_EQ(KillLines(algiers), 19);
  EXPECT_EQ(KillsOf(algiers, 0), 4);
  EXPECT_EQ(algiers.kills(0, colours->weapons.FindWeaponByName("M4"), 7), 1);
  EXPECT_EQ(algiers.kills(0, colours->weapons.FindWeaponByName("Suicide"), 0), 1);
  EXPECT_EQ(algiers.flags_taken, (std::vector<std::int32_t>{0, 2, 0, 2, 2, 0, 0, 1}));
  EXPECT_EQ(algiers.carrier_kills, (std::vector<std::int32_t>{1, 0, 1, 0, 0, 0, 0, 2}));
  EXPECT_EQ(algiers.caps, (std::vector<std::int32_t>{0, 0, 0, 2, 1, 0, 0, 0}));
  EXPECT_EQ(algiers.red_rets + algiers.blue_rets, 4);
}

}  // namespace
}  // namespace mrv
