// Every bundled sample log, parsed as the log-file run does, gives the saved game kept
// beside the tests byte for byte. Set MORVANE_UPDATE_GOLDEN=1 to rewrite them after an
// intended change, and read the diff.
#include <gtest/gtest.h>

#include <cstdlib>
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

struct ParsedSample {
  WeaponTable weapons;
  Database database;
  test::FakePrompt prompt;
};

// Parses one sample with the shipped files, the player "Morv" named as the profile.
std::unique_ptr<ParsedSample> Parse(const std::string& stem) {
  auto parsed = std::make_unique<ParsedSample>();
  EXPECT_TRUE(ReadWeaponSettings(test::ShippedDir(), parsed->weapons, parsed->prompt));
  parsed->database = Database(parsed->weapons.size());
  const DeathTemplates templates = LoadDeathTemplates(test::ShippedDir(), parsed->prompt);
  SystemClock clock;
  SilentSoundPlayer sound;
  test::FakeRandom random;
  CancelToken cancel;
  CaptureSession session(parsed->database, parsed->weapons, templates,
                         {clock, sound, random, parsed->prompt, cancel});
  session.state.options.Monitor = false;
  session.state.options.lplayernicks = {"Morv"};
  const LogParseResult result = ParseLogFile(session, test::SamplesDir() / (stem + ".log"));
  EXPECT_TRUE(result.show_stats) << stem << ": " << result.ErrorMessage;
  EXPECT_FALSE(result.unknown_weapon) << stem;
  EXPECT_TRUE(parsed->prompt.shown.empty()) << stem;
  return parsed;
}

std::int64_t Sum(const LocationCounts& counts) { return std::accumulate(counts.begin(), counts.end(), 0LL); }

TEST(SampleLogs, EachGivesItsGoldenSavedGame) {
  for (const std::string stem : {"ffa_short", "ctf_abbey", "ts_two_maps", "long_session"}) {
    const auto parsed = Parse(stem);
    const auto text = GameFileText(parsed->database, stem);
    ASSERT_TRUE(text) << stem;
    const auto golden = test::TestDataDir() / "golden" / (stem + ".stg");
    if (std::getenv("MORVANE_UPDATE_GOLDEN") != nullptr) test::WriteFileBytes(golden, *text);
    EXPECT_EQ(*text, test::ReadFileBytes(golden)) << stem << " differs from its golden file";

    // And the saved game reads back to the same file.
    Database loaded(parsed->weapons.size());
    std::string name;
    test::FakePrompt prompt;
    ASSERT_TRUE(LoadGame(loaded, golden, name, prompt)) << stem;
    EXPECT_EQ(name, stem);
    EXPECT_EQ(GameFileText(loaded, name), text) << stem;
  }
}

// Figures counted by hand when the samples were written, independent of the code.
TEST(SampleLogs, CountWhatTheirAuthorCounted) {
  const auto abbey = Parse("ctf_abbey");
  ASSERT_EQ(abbey->database.size(), 1);
  const map_record& map = abbey->database[0];
  EXPECT_EQ(map.name, "ut4_abbey");
  EXPECT_EQ(Sum(map.hits), 28);
  EXPECT_EQ(Sum(map.hitstaken), 13);
  EXPECT_EQ(map.blue_caps + map.red_caps, 4);
  EXPECT_EQ(map.blue_rets + map.red_rets, 5);
  EXPECT_EQ(map.blue_fck + map.red_fck, 7);
  EXPECT_EQ(map.own_nick, AbsentMark);  // a log never answers the name query
  EXPECT_EQ(map.duration, 0);

  const auto two = Parse("ts_two_maps");
  ASSERT_EQ(two->database.size(), 2);  // the video restart opens no third map
  EXPECT_EQ(two->database[0].name, "ut4_turnpike");
  EXPECT_EQ(two->database[1].name, "ut4_casa");
  EXPECT_EQ(Sum(two->database[0].hits) + Sum(two->database[1].hits), 29);
  EXPECT_EQ(Sum(two->database[0].hitstaken) + Sum(two->database[1].hitstaken), 18);

  const auto evening = Parse("long_session");
  EXPECT_EQ(evening->database.size(), 7);
  std::int64_t given = 0, taken = 0, caps = 0;
  for (const auto& m : evening->database.maps) {
    given += Sum(m->hits);
    taken += Sum(m->hitstaken);
    caps += m->blue_caps + m->red_caps;
  }
  EXPECT_EQ(given, 833);
  EXPECT_EQ(taken, 446);
  EXPECT_EQ(caps, 31);
}

}  // namespace
}  // namespace mrv
