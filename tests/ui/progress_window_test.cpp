// The Progress window driven as a player drives it, every click and move sent to the
// window under the pointer: opened from the profile's menu, it follows the games list,
// names the game under the pointer, and its close image hides it until the menu shows
// it again. The figures themselves are the document's (tests/views).
#include "ui/progress_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>

#include "support/print_qstring.h"
#include "support/ui_fixtures.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/progress_charts_view.h"
#include "ui/stats_viewer_window.h"

namespace mrv::ui {
namespace {

using test::Child;

class ProgressWindowTest : public test::StartedProgramTest {
 protected:
  ProgressWindowTest() : StartedProgramTest("progress-window") {
    test::CreateSampleProfile(*state_, "Morv",
                              {{"2024-04-26 20:15", "ctf_abbey"},
                               {"2024-04-28 21:40", "ffa_short"},
                               {"scrim", "ts_two_maps"}});
    EXPECT_TRUE(LoadProfile(state_->profile_store, "Morv.mrv", state_->loaded_profile));
  }
};

TEST_F(ProgressWindowTest, FollowsTheGamesListAndNamesTheGameUnderThePointer) {
  StatsViewerWindow viewer(*state_, ViewerDialogs{}, nullptr);
  viewer.OpenProfile();
  viewer.show();
  auto* progress = Child<ProgressWindow>(viewer, names::kProgressWindow);
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->isVisible());
  test::ChooseMenuSlot(viewer, 3);
  ASSERT_TRUE(progress->isVisible());
  EXPECT_EQ(progress->windowTitle(), QStringLiteral("Progress over 3 games"));
  EXPECT_EQ(progress->accessibleName(), QStringLiteral("Progress"));

  // The pointer over the middle game of the first chart names it, the oldest first.
  auto* charts = Child<ProgressChartsView>(*progress, names::kProgressCharts);
  const ChartLayout& kills = charts->charts().at(0);
  ASSERT_EQ(kills.games, 3u);
  const QPoint middle(qRound(kills.XOf(1)), qRound(kills.plot.center().y()));
  test::MoveTo(*charts, middle);
  auto* point = Child<QLabel>(*progress, names::kProgressPoint);
  EXPECT_TRUE(point->text().startsWith(QStringLiteral("2024-04-28 21:40: Kills per minute ")))
      << point->text().toStdString();
  const ChartLayout& flags = charts->charts().at(static_cast<std::size_t>(ProgressChartId::kFlags));
  const QPoint newest(qRound(flags.XOf(2)), qRound(flags.plot.bottom()));
  test::MoveTo(*charts, newest);
  EXPECT_TRUE(point->text().startsWith(QStringLiteral("scrim: Captures ")))
      << point->text().toStdString();
  test::MoveTo(*charts, flags.title_at.toPoint());
  EXPECT_FALSE(point->text().contains(QLatin1Char(':'))) << "no game under the pointer";

  // It follows the games list: the newest game alone, then two of them.
  test::ClickRow(viewer, names::kGameList, 1);
  EXPECT_EQ(progress->windowTitle(), QStringLiteral("Progress over 1 game"));
  EXPECT_EQ(charts->charts().at(0).x_ticks.at(0).label, "#1");  // "scrim" is no date
  test::ClickRow(viewer, names::kGameList, 3, Qt::ControlModifier);
  EXPECT_EQ(progress->windowTitle(), QStringLiteral("Progress over 2 games"));
  EXPECT_EQ(charts->charts().at(0).x_ticks.front().label, "2024-04-26");

  test::Click(*progress, names::kCloseImage);
  EXPECT_FALSE(progress->isVisible());
  EXPECT_FALSE(viewer.document().progress_visible());
  test::ChooseMenuSlot(viewer, 3);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_EQ(progress->windowTitle(), QStringLiteral("Progress over 2 games"));

  const QPointer<ProgressWindow> closing(progress);
  test::ChooseMenuSlot(viewer, 4);  // Close: the window goes with the viewer
  EXPECT_FALSE(viewer.isVisible());
  EXPECT_TRUE(closing.isNull() || !closing->isVisible());
  EXPECT_TRUE(boxes_.shown().empty());
}

}  // namespace
}  // namespace mrv::ui
