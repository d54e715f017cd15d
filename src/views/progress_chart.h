// One progress chart laid out in a rectangle: its plot area, the ticks of both axes with
// their labels, each line as polylines broken where a game has no value, the games'
// markers when there are few enough to tell apart, and which game a pointer is over.
// The viewer's Progress window paints it with QPainter and the HTML report writes it as
// SVG, so both show the same picture. It is laid out once per size and selection, never
// while painting: a line keeps at most four points per pixel column (the first, lowest,
// highest and last of the games there), so 10,000 games draw as fast as a few hundred
// and look the same. A moving average keeps one, the mean of its column, so that its
// trend still reads as a line where many games share a pixel.
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QRgb>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "views/progress_series.h"

namespace mrv {

// The charts' own colours, on the windows' dark background.
namespace chart_colours {
inline constexpr QRgb kBackground = 0xff161616;
inline constexpr QRgb kGrid = 0xff303030;
inline constexpr QRgb kAxis = 0xff4a4a4a;
inline constexpr QRgb kLabel = 0xff9a9a9a;
inline constexpr QRgb kTitle = 0xffd8d8d8;
inline constexpr QRgb kLine = 0xff5b9bd5;    // a chart's measure
inline constexpr QRgb kTrend = 0xffe8a33c;   // its moving average
inline constexpr QRgb kSecond = 0xffd9534f;  // a second measure (flag carriers killed)
}  // namespace chart_colours

// Text is drawn 10 pixels high; where its width matters it is taken as this much per
// character, which holds for the digits and dates of the axes.
inline constexpr double kChartTextSize = 10;
inline constexpr double kChartCharWidth = 6;

struct AxisTick {
  double at = 0;        // along its axis, in pixels
  double label_at = 0;  // where its label is centred (x) or its baseline (y) lies
  std::string label;
};

struct ChartMarker {
  std::size_t game = 0;
  QPointF at;
};

struct ChartLine {
  std::string caption;
  QRgb colour = chart_colours::kLine;
  bool trend = false;
  std::vector<QPolygonF> pieces;     // a piece of one point is a game alone between gaps
  std::vector<ChartMarker> markers;  // one per game with a value, when markers are drawn
};

struct LegendEntry {
  QPointF at;  // the swatch's left end, on the text's middle
  std::string caption;
  QRgb colour = chart_colours::kLine;
};

struct ChartLayout {
  QRectF frame;  // the whole chart
  QRectF plot;   // where the lines run
  std::string title;
  QPointF title_at;                 // baseline start
  std::vector<LegendEntry> legend;  // for a chart of more than one line
  std::vector<AxisTick> x_ticks;
  std::vector<AxisTick> y_ticks;
  std::vector<ChartLine> lines;
  std::string note;  // "No games", or why no line is drawn; centred in the plot
  std::size_t games = 0;
  double top = 1;  // the value at the plot's top edge

  double XOf(std::size_t game) const;
  double YOf(double value) const;
  // The game whose point is nearest to the pointer, when it is over the plot.
  std::optional<std::size_t> GameAt(QPointF pointer) const;
};

ChartLayout LayOutChart(const Progress& progress, ProgressChartId chart, const QRectF& frame);

// The six charts in a grid of two columns and three rows filling the area, with
// `gap` pixels between them.
std::vector<ChartLayout> LayOutCharts(const Progress& progress, const QRectF& area, double gap);

}  // namespace mrv
