// The viewer's game mode on the two maps of ts_two_maps.log, made to look like a live
// capture of the player Morv.
#include "views/stats_viewer.h"

#include <gtest/gtest.h>

#include "model/text.h"
#include "support/viewer_harness.h"
#include "views/report_model.h"

namespace mrv {
namespace {

class GameViewerTest : public testing::Test {
 protected:
  GameViewerTest() : sample("ts_two_maps") {
    sample.MakeMonitored();
    sample.store[0].own_kills = 5;
    sample.store[0].own_deaths = 4;
    sample.store[1].own_kills = 7;
    sample.store[1].own_deaths = 3;
  }
  std::vector<bool> SelectedMapRows() {
    std::vector<bool> rows;
    for (const auto& entry : sample.viewer().maps()) rows.push_back(entry.selected);
    return rows;
  }
  std::vector<std::string> SelectedPlayers() {
    std::vector<std::string> nicks;
    for (const auto& entry : sample.viewer().players()) {
      if (entry.selected) nicks.push_back(entry.nickname);
    }
    return nicks;
  }

  test::ViewerHarness sample;
};

TEST_F(GameViewerTest, OpensOnAllMapsWithTheOwnTotals) {
  StatsViewer& viewer = sample.viewer();
  const ViewerChanges changed = viewer.OpenGame(true, std::string("2024-05-01 21:07"));
  EXPECT_TRUE(changed.Has(ViewerPart::kOverall) && changed.Has(ViewerPart::kHitsPanel));
  ASSERT_EQ(viewer.maps().size(), 3u);
  EXPECT_EQ(viewer.maps()[2].caption, "ut4_casa");
  EXPECT_EQ(SelectedMapRows(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(viewer.players().size(), 11u);
  EXPECT_EQ(viewer.players()[1].nickname, "maggot");  // blue, after Lupin, who was met first
  EXPECT_EQ(viewer.overall().rows().size(), 11u);

  const YourStats& own = viewer.your_stats();
  EXPECT_EQ(own.kills, "Kills: 12");
  EXPECT_EQ(own.ratio, "Kill/Deaths ratio: 1.71");
  EXPECT_EQ(own.kills_per_minute, "Kills per minute: 0.6");
  EXPECT_EQ(own.time, "Time: 20:0s");
  EXPECT_EQ(own.caps, "Flags captured: 0    0%");
  EXPECT_TRUE(viewer.your_stats_visible());
  EXPECT_FALSE(viewer.team_totals().visible);
  EXPECT_EQ(viewer.tab(), CentreTab::kHitsGiven);
  EXPECT_EQ(viewer.hits_grid()[0], (GridRow{"Left Hand", "2"}));
}

TEST_F(GameViewerTest, MapClicksFollowTheCtrlRules) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  viewer.ClickMap(1, false);
  EXPECT_EQ(SelectedMapRows(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(viewer.players().size(), 10u);
  viewer.ClickMap(2, true);
  EXPECT_EQ(SelectedMapRows(), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(viewer.players().size(), 11u);
  viewer.ClickMap(1, true);
  EXPECT_EQ(SelectedMapRows(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(viewer.your_stats().kills, "Kills: 7");

  // Nothing selected: no players, the own totals at 0.
  viewer.ClickMap(2, true);
  EXPECT_TRUE(viewer.players().empty());
  EXPECT_TRUE(viewer.overall().rows().empty());
  EXPECT_EQ(viewer.your_stats().ratio, "Kill/Deaths ratio: never died");
  EXPECT_EQ(viewer.your_stats().time, "Time: N/A");
  EXPECT_EQ(viewer.your_stats().kills_per_minute, "Kills per minute: N/A");
  EXPECT_EQ(viewer.hits_grid()[0], GridRow{});

  viewer.ClickMap(1, true);
  viewer.ClickMap(0, true);  // "all maps" selects every map whatever the other rows say
  EXPECT_EQ(viewer.players().size(), 11u);
  EXPECT_TRUE(viewer.ClickMap(3, false).empty());
}

TEST_F(GameViewerTest, PlayerClicksShowFiguresAndFollowTheCtrlRules) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  const int morv = viewer.FindPlayer("MORV");
  const int kraken = viewer.FindPlayer("Kr4ken");
  ASSERT_GE(morv, 0);
  ASSERT_GE(kraken, 0);
  viewer.ClickPlayer(morv, false);
  EXPECT_EQ(viewer.shown_nickname(), "Morv");
  EXPECT_EQ(viewer.tab(), CentreTab::kKillsAndDeaths);
  EXPECT_EQ(viewer.kills_grid()[0], (GridRow{"AK103", "7"}));
  EXPECT_EQ(viewer.kills_grid()[3], (GridRow{"Total", "12"}));
  EXPECT_EQ(viewer.deaths_grid()[1], (GridRow{"MP5K", "1"}));
  const PlayerPanel morv_panel = viewer.player_panel();
  EXPECT_EQ(morv_panel.ratio, "Kill/Death: 1.71");
  EXPECT_EQ(morv_panel.caps, "Flags captured: 0    0%");

  viewer.ClickPlayer(kraken, true);
  EXPECT_EQ(SelectedPlayers().size(), 2u);
  EXPECT_EQ(viewer.player_panel().kills, "Kills: 11");
  // Ctrl on the shown, selected player: deselected, his figures stay.
  viewer.ClickPlayer(kraken, true);
  EXPECT_EQ(SelectedPlayers(), (std::vector<std::string>{"Morv"}));
  EXPECT_EQ(viewer.shown_nickname(), "Kr4ken");
  EXPECT_EQ(viewer.player_panel().kills, "Kills: 11");
  viewer.ClickPlayer(kraken, false);
  EXPECT_EQ(SelectedPlayers(), (std::vector<std::string>{"Kr4ken"}));

  // A refresh forgets the selection and the shown player.
  viewer.ClickMap(0, false);
  EXPECT_TRUE(SelectedPlayers().empty());
  EXPECT_EQ(viewer.player_panel().kills, "Kills: ");
  EXPECT_EQ(viewer.kills_grid()[0], GridRow{});
}

TEST_F(GameViewerTest, TabsAndTheDecidingHitsToggle) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  const Grid given = viewer.hits_grid();
  viewer.PressDecidingHits();
  const Grid deciding_given = viewer.hits_grid();
  EXPECT_NE(deciding_given, given);
  viewer.PressTab(CentreTab::kHitsTaken);
  EXPECT_TRUE(viewer.deciding_hits());
  const Grid deciding_taken = viewer.hits_grid();
  EXPECT_NE(deciding_taken, deciding_given);

  viewer.PressTab(CentreTab::kKillsAndDeaths);
  const ViewerChanges toggled = viewer.PressDecidingHits();
  EXPECT_FALSE(toggled.Has(ViewerPart::kHitsPanel));  // nothing redrawn on this tab
  EXPECT_EQ(viewer.hits_grid(), deciding_taken);
  viewer.PressTab(CentreTab::kHitsGiven);
  EXPECT_EQ(viewer.hits_grid(), given);
  EXPECT_TRUE(viewer.hits_note().empty());

  // A log parsed without a profile has no deciding hits, and the panel says why.
  test::ViewerHarness parsed("ts_two_maps");
  for (const auto& map : parsed.store.maps) map->killing_hits = {};
  parsed.viewer().OpenGame(false);
  parsed.viewer().PressDecidingHits();
  EXPECT_EQ(parsed.viewer().hits_note(), kNoDecidingHitsInALog);
  parsed.viewer().PressTab(CentreTab::kHitsTaken);  // its own deciding hits are there
  EXPECT_TRUE(parsed.viewer().hits_note().empty());
  parsed.viewer().PressTab(CentreTab::kHitsGiven);
  parsed.viewer().PressDecidingHits();
  EXPECT_TRUE(parsed.viewer().hits_note().empty());
}

bool SortedByName(const WeaponDetails& details) {
  return std::is_sorted(details.rows().begin(), details.rows().end(),
                        [](const DetailsRow& a, const DetailsRow& b) {
                          return LessIgnoringCase(a.nickname, b.nickname);
                        });
}
bool SortedByTotal(const WeaponDetails& details) {  // largest first
  return std::is_sorted(details.rows().begin(), details.rows().end(),
                        [](const DetailsRow& a, const DetailsRow& b) {
                          return std::stoll(a.cells[0]) > std::stoll(b.cells[0]);
                        });
}

TEST_F(GameViewerTest, WeaponDetailsOfTheShownPlayer) {
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  viewer.ClickPlayer(viewer.FindPlayer("Morv"), false);
  viewer.OpenWeaponDetails(true);
  const WeaponDetails& details = viewer.weapon_details();
  EXPECT_TRUE(details.visible);
  EXPECT_EQ(details.title, "Kills' details");
  ASSERT_EQ(details.columns().size(), 4u);  // Nicknames, Total, AK103, G36
  EXPECT_EQ(details.columns()[2].caption, "AK103");
  std::int64_t total = 0;
  for (const auto& row : details.rows()) {
    EXPECT_NE(row.nickname, "Morv");
    total += std::stoll(row.cells[0]);
  }
  EXPECT_EQ(total, 12);
  EXPECT_TRUE(SortedByName(details));

  // Choosing another player while it shows refills it, in the order the player chose:
  // by name as it was, then largest total first as long as he keeps that.
  viewer.ClickPlayer(viewer.FindPlayer("Kr4ken"), false);
  EXPECT_EQ(details.nickname, "Kr4ken");
  ASSERT_GT(details.rows().size(), 2u);
  EXPECT_TRUE(SortedByName(details));
  viewer.ClickDetailsColumn(1);  // Total, largest first
  EXPECT_TRUE(SortedByTotal(details));
  EXPECT_EQ(details.columns()[1].arrow, SortArrow::kDown);
  viewer.ClickPlayer(viewer.FindPlayer("Morv"), false);
  viewer.ClickPlayer(viewer.FindPlayer("Kr4ken"), false);
  EXPECT_TRUE(SortedByTotal(details));
  EXPECT_EQ(details.columns()[1].arrow, SortArrow::kDown);
  EXPECT_EQ(details.columns()[0].arrow, SortArrow::kNone);
  viewer.ClickMap(1, false);
  EXPECT_FALSE(details.visible);
}

// Ace (blue) and Bob (red) on one map: Ace kills Bob with the knife and by an unknown
// cause, which is a hidden weapon, and Bob kills himself once (a hidden weapon too).
MapRecord& AceAndBob(test::ViewerHarness& sample) {
  MapRecord& map = NewMap(sample.store, "ut4_abbey");
  AddNick(map, "Ace", 2);
  AddNick(map, "Bob", 1);
  const int unknown = sample.weapons.FindWeaponByCode('\xFF');
  const int suicide = sample.weapons.FindWeaponByCode('\xFE');
  EXPECT_GE(unknown, 0);
  EXPECT_GE(suicide, 0);
  map.SetKills(0, 0, 1, 3);        // Ace knifes Bob three times
  map.SetKills(0, unknown, 1, 4);  // and kills him four times by an unknown cause
  map.SetKills(1, suicide, 1, 1);
  map.caps = {2, 1};
  map.flags_taken = {3, 0};
  return map;
}

// A player's kills and deaths read the same in the player panel, the one-on-one, the
// overall table and the reports: every weapon counts, suicides and hidden causes too.
// Only the grids leave the hidden weapons out, so their rows do not add up to those.
TEST(ViewerLabelsTest, OneKillAndDeathCountEverywhereWhileTheGridsLeaveHiddenWeaponsOut) {
  test::ViewerHarness sample;
  MapRecord& map = AceAndBob(sample);
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  viewer.ClickPlayer(0, false);
  EXPECT_EQ(viewer.player_panel().kills, "Kills: 7");
  EXPECT_EQ(viewer.player_panel().ratio, "Kill/Death: never died");
  EXPECT_EQ(viewer.player_panel().caps, "Flags captured: 2    66.6%");
  EXPECT_EQ(viewer.kills_grid()[2], (GridRow{"Total", "3"}));
  viewer.ClickPlayer(1, true);
  EXPECT_EQ(viewer.player_panel().deaths, "Deaths: 8");
  EXPECT_EQ(viewer.player_panel().ratio, "Kill/Death: 0");
  EXPECT_EQ(viewer.player_panel().caps, "Flags captured: 1    100%");
  EXPECT_EQ(viewer.deaths_grid()[2], (GridRow{"Total", "3"}));
  viewer.RunMenuSlot(6);
  EXPECT_EQ(viewer.one_on_one()[0].panel.kills, "Kills: 7");
  EXPECT_EQ(viewer.one_on_one()[1].panel.deaths, "Deaths: 8");

  const auto& rows = viewer.overall().rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].nickname, "Ace");
  EXPECT_EQ(rows[0].cells[0], "7");
  EXPECT_EQ(rows[0].cells[2], "perfect");
  EXPECT_EQ(rows[0].cells[5], "0.66");  // Att. Eff.: a ratio, cut
  EXPECT_EQ(rows[1].cells[1], "8");
  int sections = 0;
  const auto expect_totals = [&sections](const Section& section) {
    ++sections;
    ASSERT_EQ(section.players.size(), 2u);
    EXPECT_EQ(section.players[0].kills, 7);
    EXPECT_EQ(section.players[1].deaths, 8);
  };
  WriteSections(ReportOf("tonight", sample.store, sample.weapons), expect_totals, expect_totals);
  EXPECT_EQ(sections, 2);

  EXPECT_FALSE(viewer.team_totals().visible);
  map.blue_caps = 1;
  viewer.ClickMap(0, false);
  EXPECT_TRUE(viewer.team_totals().visible);
  EXPECT_EQ(viewer.team_totals().blue_caps, "Caps: 1");
}

TEST(ViewerLabelsTest, OneOnOneDetailsSelectTheOtherSide) {
  test::ViewerHarness sample;
  AceAndBob(sample);
  StatsViewer& viewer = sample.viewer();
  viewer.OpenGame(true);
  viewer.ClickPlayer(0, false);
  viewer.ClickPlayer(1, true);
  viewer.RunMenuSlot(6);
  viewer.OpenOneOnOneDetails(0, true);
  const WeaponDetails& details = viewer.weapon_details();
  EXPECT_EQ(details.nickname, "Ace");
  ASSERT_EQ(details.rows().size(), 1u);
  EXPECT_EQ(details.rows()[0].cells, (std::vector<std::string>{"7", "3"}));  // Total, Knife
  EXPECT_EQ(details.selected_row(), 0);
  viewer.OpenOneOnOneDetails(1, false);  // who killed Bob: Ace
  EXPECT_EQ(details.title, "Deaths' details");
  EXPECT_EQ(details.selected_row(), 0);
}

}  // namespace
}  // namespace mrv
