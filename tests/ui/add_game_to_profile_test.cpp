// "Add game to profile" in the viewer's window with no profile loaded: the profile
// manager opens with LoadOnly, and the profile picked there receives the monitored game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include "support/print_qstring.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/profile_manager_window.h"
#include "ui/stats_viewer_window.h"
#include "support/ui_fixtures.h"

namespace mrv::ui {
namespace {

class AddGameToProfileTest : public test::StartedProgramTest {
 protected:
  AddGameToProfileTest() : StartedProgramTest("add-game") {
    EXPECT_TRUE(state_->profile_store.CreateProfileFile("joe.mrv", "Joe", {}));
    // The first map was played before the player's name was known: it has no time.
    AddNick(NewMap(state_->store, "ut4_abbey"), "Joe", 1);
    MapRecord& casa = NewMap(state_->store, "ut4_casa");
    AddNick(casa, "Joe", 2);
    casa.own_nick = "Joe";
    casa.duration = 600;
  }

  // The viewer as main makes it: the profile manager loads a profile for it.
  std::unique_ptr<StatsViewerWindow> OpenViewer() {
    auto viewer = std::make_unique<StatsViewerWindow>(
        *state_, ViewerDialogs{.load_profile = LoadProfileOnly, .export_html = {}}, nullptr);
    viewer->OpenGame({.monitor = true, .last_game = "tonight"});
    viewer->show();
    return viewer;
  }

  // Picks entry `row` of the profile list in the manager that opens next and clicks
  // Open there; row 0 cancels the manager instead.
  static void PickInManager(int row) {
    test::WhenShown<ProfileManagerWindow>([row](ProfileManagerWindow& manager) {
      manager.findChild<QListWidget*>(names::kProfileList)->setCurrentRow(row);
      const char* button = row == 0 ? names::kCancelButton : names::kOpenButton;
      test::Click(manager, button);
    });
  }

  QStringList Messages() const {
    QStringList messages;
    for (const auto& box : boxes_.shown()) messages.append(box.message);
    return messages;
  }
};

TEST_F(AddGameToProfileTest, TheProfileLoadedInTheManagerReceivesTheTimedMaps) {
  auto viewer = OpenViewer();
  // The manager cancelled: nothing is loaded or added.
  boxes_.SetNextAnswer(true);
  PickInManager(0);
  test::ChooseMenuSlot(*viewer, 3);
  EXPECT_EQ(Messages(), QStringList({"\nPlease load a profile first!"}));
  EXPECT_FALSE(state_->loaded_profile.has_value());
  EXPECT_FALSE(viewer->document().added_to_profile());

  boxes_.SetNextAnswer(true);
  PickInManager(1);
  test::ChooseMenuSlot(*viewer, 3);
  // The question again, then what the profile tells of the maps it took (tests/files).
  EXPECT_EQ(Messages().size(), 4);
  EXPECT_EQ(Messages()[1], QStringLiteral("\nPlease load a profile first!"));
  // Loaded for the viewer, which closes it when it finishes.
  ASSERT_TRUE(state_->loaded_profile.has_value());
  EXPECT_EQ(state_->loaded_profile->name, "joe.mrv");
  EXPECT_TRUE(state_->profile_store.Active());
  EXPECT_EQ(viewer->document().menu().lines[2].caption, " Add game to profile joe.mrv");
  EXPECT_TRUE(viewer->document().added_to_profile());

  std::vector<std::string> games;
  ASSERT_TRUE(state_->profile_store.ListGames(games));
  EXPECT_EQ(games, std::vector<std::string>{"tonight"});
  StatsRecord totals;
  ASSERT_TRUE(state_->profile_store.ReadTotals(totals));
  EXPECT_EQ(totals.time, 600);
}

}  // namespace
}  // namespace mrv::ui
