// Writing the HTML report and its pictures beside it (the export dialog's Save and
// `morvane-cli export`). The pictures come first, in this order, each only when the
// options ask for it: "blueflag.bmp", "redflag.bmp", "grayflag.bmp", "ggrayflag.bmp"
// (Overall stats in game mode), then "hits.bmp", "hitstaken.bmp", "deathhits.bmp",
// "deathhitstaken.bmp" (their picture boxes), each named after the report
// (ReportPictureFile: friday.html gets friday_hits.bmp). Existing files are replaced
// without asking, each at once (never half-written); a link under a file's name is
// refused, never written through. The first file that cannot be written stops the
// export with a message that names the file and says why; the pictures written before
// it stay. A QGuiApplication must exist: the body pictures carry text.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>

#include "files/profile_store.h"
#include "views/html_report.h"
#include "views/stats_viewer.h"

namespace mrv {

struct ExportResult {
  bool written = false;
  std::string message;  // why not, when not written
};

ExportResult ExportHtmlReport(const StatsViewer& viewer, const LoadedProfile& loaded,
                              const HtmlReportOptions& options,
                              const std::filesystem::path& report_file);
// The same from a source already read.
ExportResult ExportHtmlReport(const ReportSource& source, const HtmlReportOptions& options,
                              const std::filesystem::path& report_file);

// A section's body picture: 177 x 239, the shifted anchors; the plain base picture
// when the section has no hit.
QImage SectionPicture(const ReportSource& source, HitKind kind);
// A flag icon laid on the Players table's cell colour, since bitmaps keep no
// transparency.
QImage ReportFlagPicture(TeamMark mark);

}  // namespace mrv
