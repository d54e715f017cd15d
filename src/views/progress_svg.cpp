#include "views/progress_svg.h"

#include <charconv>

#include "views/html_escape.h"

namespace mrv {

namespace {

// "#rrggbb".
std::string Colour(QRgb colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(colour >> shift) & 0xf];
  return text;
}

// An SVG document being written; its numbers are the same whatever the locale.
class Svg {
 public:
  explicit Svg(std::string& out) : out_(out) {}
  Svg& operator<<(std::string_view text) {
    out_ += text;
    return *this;
  }
  // One decimal at most: "12.5", "440".
  Svg& operator<<(double number) {
    char text[32];
    std::string_view digits(
        text, static_cast<std::size_t>(
                  std::to_chars(text, text + sizeof text, number, std::chars_format::fixed, 1).ptr -
                  text));
    if (digits.ends_with(".0")) digits.remove_suffix(2);
    out_ += digits == "-0" ? "0" : digits;
    return *this;
  }
  void EndLine() { out_ += "\r\n"; }

 private:
  std::string& out_;
};

void WriteAxes(Svg& svg, const ChartLayout& chart) {
  const QRectF& plot = chart.plot;
  for (const AxisTick& tick : chart.y_ticks) {
    svg << "<line x1=\"" << plot.left() << "\" y1=\"" << tick.at << "\" x2=\"" << plot.right()
        << "\" y2=\"" << tick.at << "\" stroke=\"" << Colour(chart_colours::kGrid) << "\"/>";
    svg.EndLine();
    svg << "<text x=\"" << plot.left() - 4 << "\" y=\"" << tick.label_at
        << "\" text-anchor=\"end\" fill=\"" << Colour(chart_colours::kLabel) << "\">"
        << EscapeHtml(tick.label) << "</text>";
    svg.EndLine();
  }
  for (const AxisTick& tick : chart.x_ticks) {
    svg << "<line x1=\"" << tick.at << "\" y1=\"" << plot.bottom() << "\" x2=\"" << tick.at
        << "\" y2=\"" << plot.bottom() + 3 << "\" stroke=\"" << Colour(chart_colours::kAxis)
        << "\"/>";
    svg.EndLine();
    svg << "<text x=\"" << tick.label_at << "\" y=\"" << plot.bottom() + 13
        << "\" text-anchor=\"middle\" fill=\"" << Colour(chart_colours::kLabel) << "\">"
        << EscapeHtml(tick.label) << "</text>";
    svg.EndLine();
  }
  svg << "<path d=\"M" << plot.left() << " " << plot.top() << "V" << plot.bottom() << "H"
      << plot.right() << "\" fill=\"none\" stroke=\"" << Colour(chart_colours::kAxis) << "\"/>";
  svg.EndLine();
}

void WriteLine(Svg& svg, const ChartLine& line) {
  const double width = line.trend ? 2 : 1.5;
  for (const QPolygonF& piece : line.pieces) {
    if (piece.size() == 1) {
      svg << "<circle cx=\"" << piece[0].x() << "\" cy=\"" << piece[0].y() << "\" r=\"1.5\" fill=\""
          << Colour(line.colour) << "\"/>";
    } else {
      svg << "<polyline fill=\"none\" stroke=\"" << Colour(line.colour) << "\" stroke-width=\""
          << width << "\" points=\"";
      for (qsizetype i = 0; i < piece.size(); ++i) {
        svg << (i == 0 ? "" : " ") << piece[i].x() << "," << piece[i].y();
      }
      svg << "\"/>";
    }
    svg.EndLine();
  }
}

void WriteMarkers(Svg& svg, const ChartLine& line, const Progress& progress, ProgressChartId id) {
  if (line.markers.empty()) return;
  svg << "<g fill=\"" << Colour(line.colour) << "\">";
  svg.EndLine();
  for (const ChartMarker& marker : line.markers) {
    svg << "<circle cx=\"" << marker.at.x() << "\" cy=\"" << marker.at.y() << "\" r=\"2.5\"><title>"
        << EscapeHtml(ProgressPointText(progress, id, marker.game)) << "</title></circle>";
    svg.EndLine();
  }
  svg << "</g>";
  svg.EndLine();
}

}  // namespace

void AppendProgressSvg(std::string& out, const Progress& progress, ProgressChartId id) {
  const ChartLayout chart = LayOutChart(progress, id, QRectF(QPointF(0, 0), kReportChartSize));
  const double width = kReportChartSize.width();
  const double height = kReportChartSize.height();
  Svg svg(out);
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << " " << height
      << "\" font-family=\"tahoma, Arial, Helvetica, sans-serif\" font-size=\"" << kChartTextSize
      << "\">";
  svg.EndLine();
  svg << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\""
      << Colour(chart_colours::kBackground) << "\"/>";
  svg.EndLine();
  svg << "<text x=\"" << chart.title_at.x() << "\" y=\"" << chart.title_at.y() << "\" fill=\""
      << Colour(chart_colours::kTitle) << "\" font-weight=\"bold\">" << EscapeHtml(chart.title)
      << "</text>";
  svg.EndLine();
  for (const LegendEntry& entry : chart.legend) {
    svg << "<line x1=\"" << entry.at.x() << "\" y1=\"" << entry.at.y() << "\" x2=\""
        << entry.at.x() + 10 << "\" y2=\"" << entry.at.y() << "\" stroke=\"" << Colour(entry.colour)
        << "\" stroke-width=\"2\"/><text x=\"" << entry.at.x() + 14 << "\" y=\""
        << entry.at.y() + kChartTextSize * 0.35 << "\" fill=\"" << Colour(chart_colours::kLabel)
        << "\">" << EscapeHtml(entry.caption) << "</text>";
    svg.EndLine();
  }
  WriteAxes(svg, chart);
  for (const ChartLine& line : chart.lines) WriteLine(svg, line);
  for (const ChartLine& line : chart.lines) WriteMarkers(svg, line, progress, id);
  if (!chart.note.empty()) {
    svg << "<text x=\"" << chart.plot.center().x() << "\" y=\"" << chart.plot.center().y()
        << "\" text-anchor=\"middle\" fill=\"" << Colour(chart_colours::kLabel) << "\">"
        << EscapeHtml(chart.note) << "</text>";
    svg.EndLine();
  }
  svg << "</svg>";
  svg.EndLine();
}

}  // namespace mrv
