// A progress chart as SVG text for the HTML report: inline, no script, readable in any
// browser. It is the chart the viewer's Progress window paints (progress_chart.h); a
// game's marker names the game and its values in a <title>, which the browser shows
// under the pointer. Game text is escaped as the rest of the report is.
#pragma once

#include <QSizeF>
#include <string>

#include "views/progress_chart.h"

namespace mrv {

// The size of each chart in the report.
inline constexpr QSizeF kReportChartSize{440, 200};

// Appends the chart's <svg> element, one element a line, lines ended by CR LF.
void AppendProgressSvg(std::string& out, const Progress& progress, ProgressChartId chart);

}  // namespace mrv
