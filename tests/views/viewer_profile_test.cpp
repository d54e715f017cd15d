// The viewer's profile mode, on a profile made of two captures of ts_two_maps.log by
// the viewer's own "Add game to profile".
#include <gtest/gtest.h>

#include "support/viewer_harness.h"
#include "views/stats_viewer.h"

namespace mrv {
namespace {

class ProfileViewerTest : public testing::Test {
 protected:
  ProfileViewerTest() : sample("ts_two_maps") {
    sample.MakeMonitored();
    sample.store[0].duration = 0;  // only casa counts: Morv's 7 kills there
    sample.AddToNewProfile({"2024-05-01 20:15", "2024-05-02 21:00"});
  }
  std::string ProfileText() { return test::ReadFileBytes(sample.dir / "Morv.mrv"); }

  test::ViewerHarness sample;
};

TEST_F(ProfileViewerTest, ShowsTheSelectedGamesOfTheProfile) {
  StatsViewer& viewer = sample.viewer();
  const ViewerChanges changed = viewer.OpenProfile();
  EXPECT_FALSE(changed.Has(ViewerPart::kCloseRequest));
  ASSERT_EQ(viewer.games().size(), 3u);
  EXPECT_EQ(viewer.games()[1].caption, "2024-05-02 21:00");  // the newest first
  EXPECT_EQ(viewer.games_count_line(), "2 games listed");
  EXPECT_EQ(viewer.shown_nickname(), "Morv");
  EXPECT_EQ(viewer.player_panel().kills, "Kills: 14");
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 14");
  EXPECT_EQ(viewer.your_stats().time, "Time: 20:0s");
  EXPECT_TRUE(viewer.your_stats_visible());
  EXPECT_EQ(viewer.kills_grid()[0], (GridRow{"AK103", "14"}));
  EXPECT_TRUE(viewer.ClickMap(0, false).empty());  // no map list here

  viewer.SelectGames({2});
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 7");
  EXPECT_EQ(viewer.tab(), CentreTab::kHitsGiven);
  viewer.SelectGames({});  // nothing selected: nothing summed, nothing read
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 0");
  EXPECT_EQ(viewer.error_message(), "");
  EXPECT_TRUE(viewer.RunMenuSlot(4).Has(ViewerPart::kCloseRequest));
}

// The figures are read with the list; the progress follows the selection, oldest game
// first, and the games that are removed.
TEST_F(ProfileViewerTest, TheProgressFollowsTheSelectedAndTheRemovedGames) {
  StatsViewer& viewer = sample.viewer();
  EXPECT_TRUE(viewer.OpenProfile().Has(ViewerPart::kProgress));
  ASSERT_EQ(viewer.game_figures().size(), 2u);
  EXPECT_EQ(viewer.game_figures()[0].name, "2024-05-02 21:00");
  auto names = [&viewer] {
    std::vector<std::string> shown;
    for (const ProgressGame& game : viewer.progress().games) shown.push_back(game.name);
    return shown;
  };
  EXPECT_EQ(names(), (std::vector<std::string>{"2024-05-01 20:15", "2024-05-02 21:00"}));
  const ProgressValues& kpm = viewer.progress().chart(ProgressChartId::kKillsPerMinute).lines[0].values;
  ASSERT_EQ(kpm.size(), 2u);
  EXPECT_DOUBLE_EQ(kpm[0].value_or(0), 0.7);  // 7 kills in 10 minutes

  EXPECT_FALSE(viewer.progress_visible());
  EXPECT_TRUE(viewer.RunMenuSlot(3).Has(ViewerPart::kProgress));
  EXPECT_TRUE(viewer.progress_visible());
  EXPECT_TRUE(viewer.SelectGames({1}).Has(ViewerPart::kProgress));
  EXPECT_EQ(names(), (std::vector<std::string>{"2024-05-02 21:00"}));
  viewer.SelectGames({2, 1});
  EXPECT_EQ(names().size(), 2u);

  viewer.SelectGames({2});
  viewer.RunMenuSlot(1);  // the oldest game goes
  ASSERT_EQ(viewer.game_figures().size(), 1u);
  EXPECT_EQ(names(), (std::vector<std::string>{"2024-05-02 21:00"}));
  EXPECT_TRUE(viewer.HideWindow(ViewerWindow::kProgress).Has(ViewerPart::kProgress));
  EXPECT_FALSE(viewer.progress_visible());
}

// A damaged game block costs the progress only: the games are listed as before.
TEST_F(ProfileViewerTest, ADamagedGameBlockLeavesTheProgressEmptyWithItsReason) {
  std::string text = ProfileText();
  const std::size_t block = text.find("GAME=2=");
  text.replace(text.find("TIME=", block), 5, "TIME=x");
  test::WriteFileBytes(sample.dir / "Morv.mrv", text);
  StatsViewer& viewer = sample.viewer();
  EXPECT_FALSE(viewer.OpenProfile().Has(ViewerPart::kCloseRequest));
  EXPECT_EQ(viewer.games().size(), 3u);
  EXPECT_EQ(viewer.progress_error(), "Invalid file!");
  EXPECT_TRUE(viewer.progress().games.empty());
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 14");
}

TEST_F(ProfileViewerTest, RemovesTheSelectedGamesOrAll) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenProfile();
  viewer.SelectGames({1});
  viewer.RunMenuSlot(1);
  ASSERT_EQ(viewer.games().size(), 2u);
  EXPECT_EQ(viewer.games()[1].caption, "2024-05-01 20:15");
  EXPECT_TRUE(viewer.games()[0].selected);
  EXPECT_EQ(viewer.games_count_line(), "1 game listed");
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 7");
  EXPECT_NE(ProfileText().find("LASTGAME=2024-05-01 20:15\r\n"), std::string::npos);

  viewer.RunMenuSlot(1);  // "<all games>" selected: every game goes
  EXPECT_EQ(viewer.games().size(), 1u);
  EXPECT_EQ(viewer.games_count_line(), "0 games listed");
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 0");
  EXPECT_NE(ProfileText().find("GAMES=0\r\n"), std::string::npos);
  EXPECT_TRUE(viewer.RunMenuSlot(1).empty());  // nothing left to remove
}

// Another program (morvane-cli profile add, say) adds a game while the viewer shows the
// profile: the selected game is the only one that may go, and the window shows the file.
TEST_F(ProfileViewerTest, AGameAddedMeanwhileNeverMakesRemoveTakeAnotherGame) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenProfile();
  viewer.SelectGames({2});  // 2024-05-01 20:15
  ProfileStore other(sample.dir.path(), sample.weapons.size());
  ASSERT_TRUE(other.Open("Morv.mrv"));
  StatsRecord totals;
  StatsRecord game = NewStatsRecord(sample.weapons.size());
  game.time = 60;
  ASSERT_TRUE(other.ReadTotals(totals) && other.AddGame(game, totals, "2024-05-03 19:30"));
  const std::string with_three = ProfileText();

  EXPECT_FALSE(viewer.RunMenuSlot(1).Has(ViewerPart::kFatalError));
  EXPECT_EQ(ProfileText(), with_three);
  const auto shown = sample.TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].starts_with(kProfileChanged)) << shown[0];
  ASSERT_EQ(viewer.games().size(), 4u);  // read again, to choose from once more
  EXPECT_EQ(viewer.games()[1].caption, "2024-05-03 19:30");
  EXPECT_EQ(viewer.games_count_line(), "3 games listed");

  viewer.SelectGames({3});
  viewer.RunMenuSlot(1);
  ASSERT_EQ(viewer.games().size(), 3u);
  EXPECT_EQ(viewer.games()[2].caption, "2024-05-02 21:00");
  const std::string text = ProfileText();
  EXPECT_NE(text.find("FIRSTGAME=2024-05-02 21:00\r\n"), std::string::npos);
  EXPECT_NE(text.find("LASTGAME=2024-05-03 19:30\r\n"), std::string::npos);
  EXPECT_EQ(text.find("2024-05-01 20:15"), std::string::npos);
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 7");
}

TEST_F(ProfileViewerTest, AProfileDamagedWhileShownEndsTheProgram) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenProfile();
  // Another program leaves the file damaged after it was opened.
  test::WriteFileBytes(sample.dir / "Morv.mrv",
                       "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nMorv\r\n[ENICKNAMES]\r\n"
                       "[TOTALSTATS]\r\nGAMES=2\r\nHITS=x;\r\n[ETOTALSTATS]\r\n[GAMES]\r\n");
  const ViewerChanges removed = viewer.RunMenuSlot(1);
  EXPECT_TRUE(removed.Has(ViewerPart::kFatalError));
  EXPECT_EQ(viewer.fatal_error(),
            "Fatal error!\r\nProfile maybe lost! Check for temporary files in MRV directory to "
            "attempt recovery.");
}

}  // namespace
}  // namespace mrv
