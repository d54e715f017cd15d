#include "views/progress_chart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mrv {

namespace {

constexpr double kLeftMargin = 40;  // the value labels
constexpr double kRightMargin = 10;
constexpr double kTopMargin = 24;     // the title and the legend
constexpr double kBottomMargin = 18;  // the game labels
constexpr double kInset = 4;          // the first and last games off the axes
constexpr double kTickSpacing = 90;   // at least, between two game labels
constexpr double kMarkerSpacing = 4;  // at least, between two games for markers
constexpr double kSwatch = 14;        // a legend entry's line and the gap after it

double TextWidth(const std::string& text) {
  return static_cast<double>(text.size()) * kChartCharWidth;
}

// 1, 2 or 5 times a power of ten, giving about `ticks` steps up to `max`.
double NiceStep(double max, int ticks) {
  const double raw = max / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double residual = raw / magnitude;
  const double nice = residual <= 1 ? 1 : residual <= 2 ? 2 : residual <= 5 ? 5 : 10;
  return nice * magnitude;
}

// A value label with as many decimals as the step needs, whatever the locale.
std::string TickLabel(double value, double step, ProgressFormat format) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  std::string label(text, end);
  if (format == ProgressFormat::kPercent) label += '%';
  return label;
}

std::optional<double> Largest(const ProgressChart& chart) {
  std::optional<double> largest;
  for (const ProgressLine& line : chart.lines) {
    for (const std::optional<double>& value : line.values) {
      if (value && (!largest || *value > *largest)) largest = *value;
    }
  }
  return largest;
}

QRgb ColourOf(const ProgressLine& line, std::size_t index) {
  if (line.trend) return chart_colours::kTrend;
  return index == 0 ? chart_colours::kLine : chart_colours::kSecond;
}

// The games falling into one pixel column: their first, lowest, highest and last
// points; or, for a moving average, the one point of their mean, so that the trend stays
// a line where many games share a column.
class Column {
 public:
  explicit Column(bool mean) : mean_(mean) {}
  bool Takes(double x) const { return open_ && std::floor(x) == key_; }
  void Start(QPointF point) {
    open_ = true;
    key_ = std::floor(point.x());
    first_ = low_ = high_ = last_ = sum_ = point;
    count_ = 1;
    low_first_ = true;
  }
  void Add(QPointF point) {
    sum_ += point;
    ++count_;
    // Screen y grows downwards: the lowest value has the largest y.
    if (point.y() > low_.y()) {
      low_ = point;
      low_first_ = false;
    }
    if (point.y() < high_.y()) {
      high_ = point;
      low_first_ = true;
    }
    last_ = point;
  }
  void FlushInto(QPolygonF& piece) {
    if (!open_) return;
    open_ = false;
    if (mean_) {
      piece.push_back(sum_ / count_);
      return;
    }
    for (const QPointF& point :
         {first_, low_first_ ? low_ : high_, low_first_ ? high_ : low_, last_}) {
      if (piece.isEmpty() || piece.last() != point) piece.push_back(point);
    }
  }

 private:
  bool mean_;
  bool open_ = false;
  double key_ = 0;
  QPointF first_, low_, high_, last_, sum_;
  int count_ = 0;
  bool low_first_ = true;  // which of the two extremes came first
};

void LayOutLine(ChartLayout& layout, const ProgressLine& line, std::size_t index, bool markers) {
  ChartLine drawn;
  drawn.caption = line.caption;
  drawn.colour = ColourOf(line, index);
  drawn.trend = line.trend;
  QPolygonF piece;
  Column column(line.trend);
  auto end_piece = [&] {
    column.FlushInto(piece);
    if (!piece.isEmpty()) drawn.pieces.push_back(std::move(piece));
    piece = QPolygonF();
  };
  for (std::size_t game = 0; game < line.values.size(); ++game) {
    if (!line.values[game]) {
      end_piece();
      continue;
    }
    const QPointF point(layout.XOf(game), layout.YOf(*line.values[game]));
    if (markers && !line.trend) drawn.markers.push_back({game, point});
    if (column.Takes(point.x())) {
      column.Add(point);
    } else {
      column.FlushInto(piece);
      column.Start(point);
    }
  }
  end_piece();
  layout.lines.push_back(std::move(drawn));
}

void LayOutGameTicks(ChartLayout& layout, const Progress& progress) {
  const std::size_t games = layout.games;
  if (games == 0) return;
  const auto room = static_cast<std::size_t>(std::max(1.0, layout.plot.width() / kTickSpacing));
  const std::size_t count = games == 1 ? 1 : std::clamp<std::size_t>(room, 2, games);
  std::size_t previous = games;
  for (std::size_t j = 0; j < count; ++j) {
    const std::size_t game =
        count == 1 ? 0
                   : static_cast<std::size_t>(
                         std::llround(static_cast<double>(j) * static_cast<double>(games - 1) /
                                      static_cast<double>(count - 1)));
    if (game == previous) continue;
    previous = game;
    AxisTick tick;
    tick.at = layout.XOf(game);
    tick.label = progress.games[game].axis_label;
    const double half = TextWidth(tick.label) / 2;
    tick.label_at =
        std::clamp(tick.at, layout.frame.left() + half + 2,
                   std::max(layout.frame.left() + half + 2, layout.frame.right() - half - 2));
    layout.x_ticks.push_back(std::move(tick));
  }
}

void LayOutValueTicks(ChartLayout& layout, const ProgressChart& chart, double largest) {
  const int wanted = std::clamp(static_cast<int>(layout.plot.height() / 30), 2, 5);
  double step = NiceStep(largest, wanted);
  if (chart.format == ProgressFormat::kCount) step = std::max(step, 1.0);
  const auto steps = static_cast<int>(std::ceil(largest / step - 1e-9));
  layout.top = std::max(1, steps) * step;
  for (int i = 0; i <= std::max(1, steps); ++i) {
    AxisTick tick;
    tick.at = layout.YOf(i * step);
    tick.label_at = tick.at + kChartTextSize * 0.35;
    tick.label = TickLabel(i * step, step, chart.format);
    layout.y_ticks.push_back(std::move(tick));
  }
}

void LayOutLegend(ChartLayout& layout) {
  if (layout.lines.size() < 2) return;
  double right = layout.frame.right() - 6;
  for (auto line = layout.lines.rbegin(); line != layout.lines.rend(); ++line) {
    const double left = right - kSwatch - TextWidth(line->caption);
    layout.legend.insert(layout.legend.begin(),
                         {QPointF(left, layout.frame.top() + 10), line->caption, line->colour});
    right = left - 10;
  }
}

}  // namespace

double ChartLayout::XOf(std::size_t game) const {
  if (games <= 1) return plot.center().x();
  const double left = plot.left() + kInset;
  const double width = plot.width() - 2 * kInset;
  return left + width * static_cast<double>(game) / static_cast<double>(games - 1);
}

double ChartLayout::YOf(double value) const {
  return plot.bottom() - value / top * plot.height();
}

std::optional<std::size_t> ChartLayout::GameAt(QPointF pointer) const {
  if (games == 0 || !plot.adjusted(-kInset, -kInset, kInset, kInset).contains(pointer)) {
    return std::nullopt;
  }
  if (games == 1) return 0;
  const double left = plot.left() + kInset;
  const double width = plot.width() - 2 * kInset;
  const double at = (pointer.x() - left) / width * static_cast<double>(games - 1);
  return static_cast<std::size_t>(
      std::clamp<long long>(std::llround(at), 0, static_cast<long long>(games - 1)));
}

ChartLayout LayOutChart(const Progress& progress, ProgressChartId id, const QRectF& frame) {
  const ProgressChart& chart = progress.chart(id);
  ChartLayout layout;
  layout.frame = frame;
  layout.plot = frame.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
  layout.title = chart.title;
  layout.title_at = QPointF(frame.left() + 6, frame.top() + 14);
  layout.games = progress.games.size();
  const std::optional<double> largest = Largest(chart);
  LayOutValueTicks(layout, chart, largest && *largest > 0 ? *largest : 1.0);
  LayOutGameTicks(layout, progress);
  const bool markers =
      static_cast<double>(layout.games) * kMarkerSpacing <= layout.plot.width() - 2 * kInset;
  for (std::size_t i = 0; i < chart.lines.size(); ++i) {
    LayOutLine(layout, chart.lines[i], i, markers);
  }
  LayOutLegend(layout);
  if (layout.games == 0) {
    layout.note = "No games";
  } else if (!largest) {
    layout.note = "No game has this figure";
  }
  return layout;
}

std::vector<ChartLayout> LayOutCharts(const Progress& progress, const QRectF& area, double gap) {
  std::vector<ChartLayout> charts;
  const double width = (area.width() - gap) / 2;
  const double height = (area.height() - 2 * gap) / 3;
  for (std::size_t i = 0; i < progress.charts.size(); ++i) {
    const double left = area.left() + static_cast<double>(i % 2) * (width + gap);
    const double top = area.top() + static_cast<double>(i / 2) * (height + gap);
    charts.push_back(
        LayOutChart(progress, static_cast<ProgressChartId>(i), QRectF(left, top, width, height)));
  }
  return charts;
}

}  // namespace mrv
