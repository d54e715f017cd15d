// The progress measures of a small profile against values computed by hand: the rates,
// games without time or hits, a game without a death, the moving average's edges, the
// axis labels by date or number, and what the point under the pointer reads.
#include "views/progress_series.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

using Values = std::vector<std::optional<double>>;
constexpr std::nullopt_t kNone = std::nullopt;

GameFigures Game(std::string name, std::int64_t kills, std::int64_t deaths, std::int32_t time,
                 LocationCounts hits, std::int32_t caps = 0, std::int32_t carrier_kills = 0) {
  GameFigures game;
  game.name = std::move(name);
  game.kills = kills;
  game.deaths = deaths;
  game.time = time;
  game.hits = hits;
  game.caps = caps;
  game.carrier_kills = carrier_kills;
  return game;
}

// Six games, oldest first. Hit locations: 0 Head, 2 Helmet, 8 Chest.
const std::vector<GameFigures> kGames = {
    Game("2024-05-01 20:15", 6, 3, 300, {2, 0, 1, 0, 0, 0, 0, 0, 7}, 1, 0),
    Game("scrim", 4, 0, 0, {}, 0, 2),  // no time, no hit, never died
    Game("2024-05-03 21:00", 10, 5, 600, {4, 0, 0, 0, 0, 0, 0, 0, 16}, 2, 1),
    Game("2024-02-30 10:00", 2, 4, 120, {0, 0, 0, 0, 0, 0, 0, 0, 5}),  // no such day
    Game("2024-05-05", 9, 3, 540, {0, 0, 3, 0, 0, 0, 0, 0, 3}),
    Game("2024-05-06 19:00", 0, 2, 60, {}, 0, 3),
};

Progress SixGames() {
  std::vector<const GameFigures*> games;
  for (const GameFigures& game : kGames) games.push_back(&game);
  return ProgressOf(games);
}

void ExpectValues(const ProgressValues& actual, const Values& expected, const char* what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(actual[i].has_value(), expected[i].has_value()) << what << " game " << i + 1;
    if (expected[i]) {
      EXPECT_NEAR(*actual[i], *expected[i], 1e-12) << what << " game " << i + 1;
    }
  }
}

TEST(ProgressSeriesTest, SixGamesComputedByHand) {
  const Progress progress = SixGames();
  std::vector<std::string> labels;
  for (const ProgressGame& game : progress.games) labels.push_back(game.axis_label);
  EXPECT_EQ(labels, (std::vector<std::string>{"2024-05-01", "#2", "2024-05-03", "#4", "2024-05-05",
                                              "2024-05-06"}));
  ASSERT_EQ(progress.charts.size(), kProgressChartCount);

  const ProgressChart& kpm = progress.chart(ProgressChartId::kKillsPerMinute);
  ExpectValues(kpm.lines[0].values, {1.2, kNone, 1.0, 1.0, 1.0, 0.0}, "kills per minute");
  // At the start the window is shorter; the game without time adds nothing to it; at the
  // last game the first one has left the window.
  ExpectValues(kpm.lines[1].values, {1.2, 1.2, 1.1, 3.2 / 3, 1.05, 0.75}, "its average");
  EXPECT_TRUE(kpm.lines[1].trend);

  const ProgressChart& ratio = progress.chart(ProgressChartId::kKillDeathRatio);
  ExpectValues(ratio.lines[0].values, {2.0, 4.0, 2.0, 0.5, 3.0, 0.0}, "K/D");
  ExpectValues(ratio.lines[1].values, {2.0, 3.0, 8.0 / 3, 2.125, 2.3, 1.9}, "its average");

  ExpectValues(progress.chart(ProgressChartId::kHeadshotShare).lines[0].values,
               {30.0, kNone, 20.0, 0.0, 50.0, kNone}, "headshot share");
  ExpectValues(progress.chart(ProgressChartId::kHitsPerMinute).lines[0].values,
               {2.0, kNone, 2.0, 2.5, 6.0 / 9, 0.0}, "hits per minute");
  const ProgressChart& flags = progress.chart(ProgressChartId::kFlags);
  ExpectValues(flags.lines[0].values, {1, 0, 2, 0, 0, 0}, "captures");
  ExpectValues(flags.lines[1].values, {0, 2, 1, 0, 0, 3}, "carriers killed");
  ExpectValues(progress.chart(ProgressChartId::kTimePerGame).lines[0].values,
               {5.0, kNone, 10.0, 2.0, 9.0, 1.0}, "minutes");
}

TEST(ProgressSeriesTest, MovingAverageEdges) {
  EXPECT_TRUE(MovingAverage({}).empty());
  ExpectValues(MovingAverage({kNone, kNone, 3.0}), {kNone, kNone, 3.0}, "values after gaps");
  // Five games without a value empty the window again.
  ExpectValues(MovingAverage({4.0, kNone, kNone, kNone, kNone, kNone, 1.0}),
               {4.0, 4.0, 4.0, 4.0, 4.0, kNone, 1.0}, "a long gap");
  ExpectValues(MovingAverage({1.0, 2.0, 3.0}, 2), {1.0, 1.5, 2.5}, "a window of two");
}

TEST(ProgressSeriesTest, DatesAndTheTextOfAPoint) {
  EXPECT_EQ(GameDate("2024-02-29 21:07"), "2024-02-29");
  EXPECT_EQ(GameDate("2024-02-29"), "2024-02-29");
  for (const char* no_date : {"2023-02-29", "2024-13-01", "2024-05-00", "2024-5-01 20:00",
                              "2024-05-01x", "2024-05-01_20:15", "", "scrim 2024-05-01"}) {
    EXPECT_EQ(GameDate(no_date), std::nullopt) << no_date;
  }

  const Progress progress = SixGames();
  EXPECT_EQ(ProgressPointText(progress, ProgressChartId::kKillsPerMinute, 1),
            "scrim: Kills per minute none, 5-game average 1.2");
  EXPECT_EQ(ProgressPointText(progress, ProgressChartId::kHeadshotShare, 0),
            "2024-05-01 20:15: Headshots 30%");
  EXPECT_EQ(ProgressPointText(progress, ProgressChartId::kTimePerGame, 2),
            "2024-05-03 21:00: Time 10:0s");
  EXPECT_EQ(ProgressPointText(progress, ProgressChartId::kFlags, 5),
            "2024-05-06 19:00: Captures 0, Carriers killed 3");
  EXPECT_EQ(ProgressValueText(2.0 / 3, ProgressFormat::kRatio), "0.66");  // cut, never rounded
}

}  // namespace
}  // namespace mrv
