// The viewer's menu, map popup and close query, and profile mode, over ts_two_maps.log
// made to look like a live capture of the player Morv.
#include <gtest/gtest.h>

#include "files/saved_game.h"
#include "support/viewer_harness.h"
#include "views/stats_viewer.h"

namespace mrv {
namespace {

using Texts = std::vector<std::string>;

// What the menu's slots do in each mode; its captions are the menu's own text.
TEST(ViewerMenuTest, SlotsOfEachMode) {
  test::ViewerHarness monitored("ts_two_maps");
  monitored.viewer().OpenGame(true, std::string("2024-05-01 21:07"));
  EXPECT_TRUE(monitored.viewer().RunMenuSlot(5).Has(ViewerPart::kOverall));
  EXPECT_TRUE(monitored.viewer().overall().visible);

  // A parsed game can be neither saved nor added to a profile, and its menu says why.
  test::ViewerHarness parsed("ts_two_maps");
  parsed.viewer().OpenGame(false);
  const ViewerMenu menu = parsed.viewer().menu();
  EXPECT_TRUE(menu.lines[0].grey && menu.lines[2].grey);
  EXPECT_EQ(menu.lines[0].caption, " parsed game: only a monitored game can be saved");
  EXPECT_EQ(menu.lines[2].caption, " parsed game: only a monitored game can be added to a profile");
  EXPECT_TRUE(parsed.viewer().RunMenuSlot(1).empty());
  EXPECT_TRUE(parsed.viewer().RunMenuSlot(3).empty());
  EXPECT_TRUE(parsed.TakeShown().empty());
  EXPECT_FALSE(std::filesystem::exists(parsed.dir / "games"));
}

TEST(ViewerActionsTest, SavingTellsHowItWent) {
  test::ViewerHarness sample("ts_two_maps");
  sample.viewer().OpenGame(true, std::string("2024-05-01 21:07"));
  sample.viewer().RunMenuSlot(1);
  EXPECT_EQ(sample.TakeShown(), (Texts{"\r\nGame saved!"}));
  StatsStore loaded(sample.weapons.size());
  std::string name;
  ASSERT_TRUE(LoadGame(loaded, sample.dir / "games" / "2024-05-01 21.07.stg", name, sample.prompt));
  EXPECT_EQ(name, "2024-05-01 21:07");
  EXPECT_EQ(GameFileText(loaded, name), GameFileText(sample.store, name));

  // Where the games folder should be, a file: nothing can be written.
  test::ViewerHarness blocked("ts_two_maps");
  test::WriteFileBytes(blocked.dir / "games", "in the way");
  blocked.viewer().OpenGame(true, std::string("2024-05-01 21:07"));
  blocked.prompt.text_answers = {"renamed"};
  blocked.viewer().RenameMap(1);
  blocked.TakeShown();
  blocked.viewer().RunMenuSlot(1);
  const auto shown = blocked.prompt.shown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, "error");
  EXPECT_EQ(shown[0].text.rfind("Unable to save file ", 0), 0u);
  EXPECT_EQ(shown[1].text, "\r\nGame not saved!");
  EXPECT_EQ(shown[1].title, "ERROR!");
  EXPECT_FALSE(blocked.viewer().saved());
}

TEST(ViewerActionsTest, MapPopupAndTheCloseQuery) {
  test::ViewerHarness sample("ts_two_maps");
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  EXPECT_TRUE(viewer.CanClose());            // a saved game closes without a question
  EXPECT_TRUE(viewer.DeleteMap(0).empty());  // not on "all maps"

  sample.prompt.ask_answers = {false};
  EXPECT_TRUE(viewer.DeleteMap(1).empty());
  EXPECT_EQ(sample.store.size(), 2);
  sample.prompt.text_answers = {""};
  viewer.RenameMap(2);  // an empty name is accepted
  EXPECT_EQ(viewer.maps()[2].caption, "");
  EXPECT_EQ(sample.store[1].name, "");
  EXPECT_EQ(sample.TakeShown(),
            (Texts{"\r\nStats for the map ut4_turnpike will be deleted!\r\nAre you sure?",
                   "\r\nEnter the new map name:"}));
  sample.prompt.ask_answers = {false};
  EXPECT_FALSE(viewer.CanClose());
  EXPECT_EQ(sample.TakeShown(),
            (Texts{"You have unsaved changes!\r\n\nAre you sure you want to exit?"}));

  // The question names the map the popup was opened on, not the selected one.
  viewer.ClickMap(2, false);
  viewer.DeleteMap(1);
  EXPECT_EQ(sample.TakeShown(),
            (Texts{"\r\nStats for the map ut4_turnpike will be deleted!\r\nAre you sure?"}));
  ASSERT_EQ(sample.store.size(), 1);
  EXPECT_EQ(sample.store[0].name, "");
  ASSERT_EQ(viewer.maps().size(), 2u);
  EXPECT_TRUE(viewer.maps()[0].selected);
  EXPECT_EQ(viewer.players().size(), 11u);  // casa's players, refreshed

  // With a profile loaded, the game not added comes first.
  sample.LoadNewProfile("Morv");
  sample.TakeShown();
  EXPECT_TRUE(viewer.CanClose());
  EXPECT_EQ(
      sample.TakeShown(),
      (Texts{"You didn't add this game to a player profile!\r\n\nAre you sure you want to exit?"}));

  // A parsed log never asks about unsaved changes.
  test::ViewerHarness parsed("ts_two_maps");
  parsed.viewer().OpenGame(false);
  parsed.viewer().RenameMap(1);
  parsed.TakeShown();
  EXPECT_TRUE(parsed.viewer().CanClose());
  EXPECT_TRUE(parsed.TakeShown().empty());
}

// A capture lives only in memory until it is saved: closing it asks first, as a
// renamed map does, until it was saved.
TEST(ViewerActionsTest, ANeverSavedCaptureAsksBeforeItClosesUntilSaved) {
  test::ViewerHarness capture("ts_two_maps");
  StatsViewer& viewer = capture.viewer();
  viewer.OpenGame(true, std::nullopt, /*never_saved=*/true);
  EXPECT_FALSE(viewer.saved());
  capture.prompt.ask_answers = {false};
  EXPECT_FALSE(viewer.CanClose());
  EXPECT_EQ(capture.TakeShown(),
            (Texts{"You have unsaved changes!\r\n\nAre you sure you want to exit?"}));
  viewer.RunMenuSlot(1);
  EXPECT_EQ(capture.TakeShown(), (Texts{"\r\nGame saved!"}));
  EXPECT_TRUE(viewer.CanClose());
  EXPECT_TRUE(capture.TakeShown().empty());

  // A parsed log has nothing to save: it never asks.
  test::ViewerHarness parsed("ts_two_maps");
  parsed.viewer().OpenGame(false, std::nullopt, true);
  EXPECT_TRUE(parsed.viewer().CanClose());
  EXPECT_TRUE(parsed.TakeShown().empty());
}

TEST(ViewerActionsTest, CompareTakesTheFirstTwoSelectedPlayers) {
  test::ViewerHarness sample("ts_two_maps");
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  viewer.ClickPlayer(1, false);
  viewer.RunMenuSlot(6);
  EXPECT_EQ(sample.TakeShown(), (Texts{"\r\nSelect two players first!"}));
  EXPECT_FALSE(viewer.one_on_one_visible());

  viewer.ClickPlayer(4, true);
  viewer.ClickPlayer(7, true);
  viewer.RunMenuSlot(6);
  EXPECT_TRUE(viewer.one_on_one_visible());
  const auto& sides = viewer.one_on_one();
  EXPECT_EQ(sides[0].nickname, viewer.players()[1].nickname);
  EXPECT_EQ(sides[1].nickname, viewer.players()[4].nickname);
  viewer.ClickPlayer(4, false);
  EXPECT_EQ(sides[1].panel.kills, viewer.player_panel().kills);
  EXPECT_EQ(sides[1].kills, viewer.kills_grid());
}

TEST(ViewerActionsTest, AddingTheGameToAProfile) {
  test::ViewerHarness sample("ts_two_maps");
  sample.MakeMonitored();
  sample.store[0].duration = 0;
  sample.hooks.load_profile = [&sample] { sample.LoadNewProfile("Morv"); };
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true, std::string("2024-05-01 21:07"));
  const ViewerChanges changed = viewer.RunMenuSlot(3);
  EXPECT_TRUE(changed.Has(ViewerPart::kMenu));
  // After the question, what the profile tells of the maps it took (tests/files).
  const Texts shown = sample.TakeShown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "\r\nPlease load a profile first!");
  EXPECT_TRUE(viewer.added_to_profile());
  EXPECT_TRUE(viewer.CanClose());
  EXPECT_TRUE(sample.TakeShown().empty());

  sample.prompt.ask_answers = {false};
  viewer.RunMenuSlot(3);
  EXPECT_EQ(sample.TakeShown(),
            (Texts{"I've done this before!\r\n\nDo you want to add it again?"}));
}

}  // namespace
}  // namespace mrv
