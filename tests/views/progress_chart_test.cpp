// The charts as laid out for the Progress window and the report: the few points that
// stand for thousands of games against every game's own point, gaps, the axes, the
// game under the pointer, no game and one game; and the report's SVG of a small
// profile with hostile game names, checked against its golden file.
#include "views/progress_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "support/paths.h"
#include "views/progress_svg.h"

namespace mrv {
namespace {

const QRectF kFrame(10, 20, 400, 180);

Progress OneLine(const ProgressValues& values, bool trend = false) {
  Progress progress;
  for (std::size_t i = 0; i < values.size(); ++i) {
    progress.games.push_back({"game " + std::to_string(i), "#" + std::to_string(i + 1)});
  }
  progress.charts.assign(kProgressChartCount, ProgressChart{"Chart", ProgressFormat::kRatio, {}});
  progress.charts[0].lines.push_back({"Line", values, trend});
  return progress;
}

std::vector<GameFigures> Figures(const std::vector<std::string>& names) {
  std::vector<GameFigures> games;
  for (std::size_t i = 0; i < names.size(); ++i) {
    GameFigures game;
    game.name = names[i];
    game.kills = static_cast<std::int64_t>(3 + 2 * i);
    game.deaths = static_cast<std::int64_t>(i % 3);
    game.time = i == 2 ? 0 : static_cast<std::int32_t>(300 + 120 * i);
    game.hits = {static_cast<std::int32_t>(i), 0, 1, 0, 0, 0, 0, 0, 6};
    game.caps = static_cast<std::int32_t>(i % 2);
    game.carrier_kills = static_cast<std::int32_t>(i / 2);
    games.push_back(game);
  }
  return games;
}

Progress ProgressOfAll(const std::vector<GameFigures>& games) {
  std::vector<const GameFigures*> oldest_first;
  for (const GameFigures& game : games) oldest_first.push_back(&game);
  return ProgressOf(oldest_first);
}

// Thousands of games keep four points a pixel column at most, and in every column the
// same lowest and highest point as every game's own point would give.
TEST(ProgressChartTest, ManyGamesKeepEachColumnsExtremes) {
  ProgressValues values;
  for (int i = 0; i < 10000; ++i) {
    values.push_back(i % 97 == 5 ? std::nullopt : std::optional<double>(1.5 + std::sin(i * 0.37)));
  }
  const Progress progress = OneLine(values);
  const ChartLayout chart = LayOutChart(progress, ProgressChartId::kKillsPerMinute, kFrame);
  ASSERT_EQ(chart.lines.size(), 1u);
  const ChartLine& line = chart.lines[0];
  EXPECT_TRUE(line.markers.empty());                  // far too many to tell apart
  std::map<int, std::pair<double, double>> expected;  // column: highest and lowest y
  for (std::size_t game = 0; game < values.size(); ++game) {
    if (!values[game]) continue;
    const double y = chart.YOf(*values[game]);
    const auto [at, added] =
        expected.try_emplace(static_cast<int>(std::floor(chart.XOf(game))), y, y);
    at->second = {std::min(at->second.first, y), std::max(at->second.second, y)};
  }
  std::map<int, std::pair<double, double>> drawn;
  std::size_t points = 0;
  for (const QPolygonF& piece : line.pieces) {
    points += static_cast<std::size_t>(piece.size());
    for (const QPointF& point : piece) {
      const auto [at, added] =
          drawn.try_emplace(static_cast<int>(std::floor(point.x())), point.y(), point.y());
      at->second = {std::min(at->second.first, point.y()), std::max(at->second.second, point.y())};
    }
  }
  EXPECT_EQ(drawn, expected);
  // Four a column, and four more where a gap splits one.
  EXPECT_LE(points, 4 * (static_cast<std::size_t>(chart.plot.width() + 1) + line.pieces.size()));
  EXPECT_EQ(line.pieces.size(), 105u);  // 104 gaps, one every 97 games, none at either end
  EXPECT_GE(chart.top, 2.5);

  // A moving average keeps one point a column of each piece: the mean of its games.
  const ChartLayout trend =
      LayOutChart(OneLine(values, true), ProgressChartId::kKillsPerMinute, kFrame);
  std::map<std::pair<std::size_t, int>, std::pair<double, int>> sums;  // sum of y, games
  std::size_t gaps = 0;
  for (std::size_t game = 0; game < values.size(); ++game) {
    if (!values[game]) {
      ++gaps;
      continue;
    }
    auto& [sum, count] = sums[{gaps, static_cast<int>(std::floor(trend.XOf(game)))}];
    sum += trend.YOf(*values[game]);
    ++count;
  }
  const std::vector<QPolygonF>& pieces = trend.lines[0].pieces;
  std::size_t trend_points = 0;
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    trend_points += static_cast<std::size_t>(pieces[p].size());
    for (const QPointF& point : pieces[p]) {
      const auto& [sum, count] = sums.at({p, static_cast<int>(std::floor(point.x()))});
      EXPECT_NEAR(point.y(), sum / count, 1e-9);
    }
  }
  EXPECT_EQ(trend_points, sums.size());
}

TEST(ProgressChartTest, AxesGapsAndTheGameUnderThePointer) {
  const Progress progress = OneLine({1.0, std::nullopt, 2.0, 3.0, 0.4});
  const ChartLayout chart = LayOutChart(progress, ProgressChartId::kKillsPerMinute, kFrame);
  const ChartLine& line = chart.lines[0];
  ASSERT_EQ(line.pieces.size(), 2u);
  EXPECT_EQ(line.pieces[0].size(), 1);  // the first game alone before the gap
  EXPECT_EQ(line.pieces[1].size(), 3);
  ASSERT_EQ(line.markers.size(), 4u);
  EXPECT_EQ(line.markers[1].game, 2u);
  EXPECT_EQ(line.markers[1].at, QPointF(chart.XOf(2), chart.YOf(2.0)));

  std::vector<std::string> values;
  for (const AxisTick& tick : chart.y_ticks) values.push_back(tick.label);
  EXPECT_EQ(values, (std::vector<std::string>{"0", "1", "2", "3"}));
  EXPECT_DOUBLE_EQ(chart.y_ticks.back().at, chart.plot.top());
  ASSERT_FALSE(chart.x_ticks.empty());
  EXPECT_EQ(chart.x_ticks.front().label, "#1");
  EXPECT_EQ(chart.x_ticks.back().label, "#5");

  EXPECT_EQ(chart.GameAt(QPointF(chart.XOf(3) + 2, chart.plot.center().y())), 3u);
  EXPECT_EQ(chart.GameAt(QPointF(chart.plot.left(), chart.plot.bottom())), 0u);
  EXPECT_EQ(chart.GameAt(QPointF(chart.plot.right() + 20, chart.plot.center().y())), std::nullopt);
  EXPECT_EQ(chart.GameAt(chart.title_at), std::nullopt);
}

TEST(ProgressChartTest, NoGameOneGameAndNoValue) {
  const ChartLayout none = LayOutChart(ProgressOf({}), ProgressChartId::kKillDeathRatio, kFrame);
  EXPECT_EQ(none.note, "No games");
  EXPECT_TRUE(none.x_ticks.empty());
  EXPECT_EQ(none.GameAt(none.plot.center()), std::nullopt);

  const std::vector<GameFigures> one = Figures({"2024-05-01 20:15"});
  const Progress progress = ProgressOfAll(one);
  const ChartLayout chart = LayOutChart(progress, ProgressChartId::kKillDeathRatio, kFrame);
  EXPECT_EQ(chart.note, "");
  ASSERT_EQ(chart.x_ticks.size(), 1u);
  EXPECT_EQ(chart.x_ticks[0].label, "2024-05-01");
  EXPECT_DOUBLE_EQ(chart.x_ticks[0].at, chart.plot.center().x());
  ASSERT_EQ(chart.lines[0].markers.size(), 1u);
  EXPECT_EQ(chart.GameAt(QPointF(chart.plot.left() + 1, chart.plot.top() + 1)), 0u);
  ASSERT_EQ(chart.legend.size(), 2u);  // the ratio and its average
  EXPECT_LT(chart.legend[0].at.x(), chart.legend[1].at.x());
  EXPECT_LE(chart.legend[1].at.x() + 14 + 14 * kChartCharWidth, chart.frame.right());

  // A game with no time: the chart of minutes has nothing to draw, and says so.
  std::vector<GameFigures> untimed = Figures({"a"});
  untimed[0].time = 0;
  const ChartLayout minutes =
      LayOutChart(ProgressOfAll(untimed), ProgressChartId::kTimePerGame, kFrame);
  EXPECT_EQ(minutes.note, "No game has this figure");
  EXPECT_TRUE(minutes.lines[0].pieces.empty());
}

TEST(ProgressChartTest, TheReportsSvgOfASmallProfileEscapesGameNames) {
  const std::string hostile = "<script>alert(\"x\")</script>";
  const std::vector<GameFigures> games =
      Figures({"2024-05-01 20:15", "a&b 'quoted'", "2024-05-03 21:00", hostile, "2024-05-06"});
  const Progress progress = ProgressOfAll(games);
  std::string svg;
  for (std::size_t i = 0; i < kProgressChartCount; ++i) {
    AppendProgressSvg(svg, progress, static_cast<ProgressChartId>(i));
  }
  test::ExpectGolden(svg, "progress_charts.html");

  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("a&b"), std::string::npos);
  EXPECT_NE(svg.find("<title>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;: K/D"),
            std::string::npos);
  EXPECT_NE(svg.find("<title>a&amp;b &#39;quoted&#39;: "), std::string::npos);
  std::string lines = svg;
  std::erase(lines, '\r');
  EXPECT_EQ(lines.size() + std::count(lines.begin(), lines.end(), '\n'), svg.size())
      << "CR LF lines, as the report's";
}

}  // namespace
}  // namespace mrv
