#include "ui/progress_charts_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/object_names.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

constexpr double kGap = 8;
constexpr qsizetype kRunPoints = 8;

QFont ChartFont(const QFont& base, bool bold) {
  QFont font = base;
  font.setPixelSize(static_cast<int>(kChartTextSize));
  font.setBold(bold);
  return font;
}

void DrawAxes(QPainter& painter, const ChartLayout& chart) {
  const QRectF& plot = chart.plot;
  const QFontMetricsF metrics(painter.font());
  painter.setPen(QColor(chart_colours::kGrid));
  for (const AxisTick& tick : chart.y_ticks) {
    painter.drawLine(QPointF(plot.left(), tick.at), QPointF(plot.right(), tick.at));
  }
  painter.setPen(QColor(chart_colours::kAxis));
  painter.drawLine(plot.topLeft(), plot.bottomLeft());
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  for (const AxisTick& tick : chart.x_ticks) {
    painter.drawLine(QPointF(tick.at, plot.bottom()), QPointF(tick.at, plot.bottom() + 3));
  }
  painter.setPen(QColor(chart_colours::kLabel));
  for (const AxisTick& tick : chart.y_ticks) {
    const QString label = FromGameText(tick.label);
    painter.drawText(QPointF(plot.left() - 4 - metrics.horizontalAdvance(label), tick.label_at),
                     label);
  }
  for (const AxisTick& tick : chart.x_ticks) {
    const QString label = FromGameText(tick.label);
    painter.drawText(
        QPointF(tick.label_at - metrics.horizontalAdvance(label) / 2, plot.bottom() + 13), label);
  }
}

void DrawLines(QPainter& painter, const ChartLayout& chart) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (const ChartLine& line : chart.lines) {
    const QColor colour(line.colour);
    // More games than pixels: a hair line, which the painter draws far faster than a
    // wide one and which looks the same at that density. A trend keeps a point a column
    // at most, and its width.
    const double width = line.trend ? 2.0 : chart.games > chart.plot.width() ? 0 : 1.5;
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& piece : line.pieces) {
      if (piece.size() == 1) {
        painter.setBrush(colour);
        painter.drawEllipse(piece[0], 1.5, 1.5);
        painter.setBrush(Qt::NoBrush);
      } else {
        // In short runs: one long wide line with thousands of turns makes a single
        // outline that is slow to fill; runs that share their ends look the same.
        for (qsizetype start = 0; start + 1 < piece.size(); start += kRunPoints - 1) {
          painter.drawPolyline(piece.constData() + start,
                               static_cast<int>(std::min(kRunPoints, piece.size() - start)));
        }
      }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const ChartMarker& marker : line.markers) painter.drawEllipse(marker.at, 2.5, 2.5);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
}

void DrawChart(QPainter& painter, const ChartLayout& chart, const QFont& plain, const QFont& bold) {
  painter.fillRect(chart.frame, QColor(chart_colours::kBackground));
  painter.setFont(bold);
  painter.setPen(QColor(chart_colours::kTitle));
  painter.drawText(chart.title_at, FromGameText(chart.title));
  painter.setFont(plain);
  for (const LegendEntry& entry : chart.legend) {
    painter.setPen(QPen(QColor(entry.colour), 2));
    painter.drawLine(entry.at, entry.at + QPointF(10, 0));
    painter.setPen(QColor(chart_colours::kLabel));
    painter.drawText(entry.at + QPointF(14, kChartTextSize * 0.35), FromGameText(entry.caption));
  }
  DrawAxes(painter, chart);
  DrawLines(painter, chart);
  if (!chart.note.empty()) {
    painter.setPen(QColor(chart_colours::kLabel));
    painter.drawText(chart.plot, Qt::AlignCenter, FromGameText(chart.note));
  }
}

}  // namespace

ProgressChartsView::ProgressChartsView(QWidget* parent) : QWidget(parent) {
  setObjectName(names::kProgressCharts);
  setAccessibleName(QStringLiteral("Progress charts"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressChartsView::SetProgress(Progress progress) {
  progress_ = std::move(progress);
  hovered_.reset();
  emit pointChanged(QString());
  LayOut();
}

void ProgressChartsView::LayOut() {
  charts_ = LayOutCharts(progress_, QRectF(rect()), kGap);
  update();
}

void ProgressChartsView::resizeEvent(QResizeEvent*) {
  LayOut();
}

void ProgressChartsView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QFont plain = ChartFont(font(), false);
  const QFont bold = ChartFont(font(), true);
  for (const ChartLayout& chart : charts_) DrawChart(painter, chart, plain, bold);
  if (!hovered_) return;
  // The game under the pointer: a guide across its chart and a ring on each value.
  const ChartLayout& chart = charts_[hovered_->chart];
  const ProgressChart& figures = progress_.charts[hovered_->chart];
  const double x = chart.XOf(hovered_->game);
  painter.setPen(QPen(QColor(chart_colours::kLabel), 1, Qt::DotLine));
  painter.drawLine(QPointF(x, chart.plot.top()), QPointF(x, chart.plot.bottom()));
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (std::size_t i = 0; i < figures.lines.size(); ++i) {
    const std::optional<double>& value = figures.lines[i].values[hovered_->game];
    if (!value) continue;
    painter.setPen(QPen(QColor(chart_colours::kTitle), 1.5));
    painter.setBrush(QColor(chart.lines[i].colour));
    painter.drawEllipse(QPointF(x, chart.YOf(*value)), 3.5, 3.5);
  }
}

void ProgressChartsView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  for (std::size_t i = 0; i < charts_.size(); ++i) {
    if (!charts_[i].frame.contains(at)) continue;
    const std::optional<std::size_t> game = charts_[i].GameAt(at);
    Hover(game ? std::optional<Hovered>({i, *game}) : std::nullopt);
    return;
  }
  Hover(std::nullopt);
}

void ProgressChartsView::leaveEvent(QEvent*) {
  Hover(std::nullopt);
}

void ProgressChartsView::Hover(std::optional<Hovered> hovered) {
  if (hovered == hovered_) return;
  hovered_ = hovered;
  update();
  emit pointChanged(
      hovered ? FromGameText(ProgressPointText(
                    progress_, static_cast<ProgressChartId>(hovered->chart), hovered->game))
              : QString());
}

}  // namespace mrv::ui
