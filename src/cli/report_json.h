// The report as one JSON document, for scripts.
#pragma once

#include <ostream>

#include "views/report_model.h"

namespace mrv::cli {

void PrintReportJson(std::ostream& out, const Report& report, bool with_time);

}  // namespace mrv::cli
