// The report as aligned text tables for a terminal.
#pragma once

#include <ostream>

#include "views/report_model.h"

namespace mrv::cli {

// Game text (names of the game, maps and players) has its control characters replaced.
void PrintReportText(std::ostream& out, const Report& report, bool with_time);

}  // namespace mrv::cli
