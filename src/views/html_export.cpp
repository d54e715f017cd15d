#include "views/html_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <array>

#include "files/safe_file.h"
#include "views/body_map.h"
#include "views/report_pictures.h"

namespace mrv {

namespace {

constexpr QRgb kFlagCellColour = qRgb(0x22, 0x22, 0x22);
// The order the flags are written in.
constexpr std::array kFlagMarks = {TeamMark::kBlue, TeamMark::kRed, TeamMark::kNone,
                                   TeamMark::kBoth};

ExportResult Failed(const std::filesystem::path& file) {
  return {false, "Unable to write file!\r\n" + file.string()};
}

ExportResult WriteFile(const std::filesystem::path& file, std::string_view content) {
  if (ReplaceFileSafely(file, content) != ReplaceResult::kReplaced) return Failed(file);
  return {true, {}};
}

ExportResult WriteBitmap(const std::filesystem::path& file, const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return Failed(file);
  return WriteFile(file,
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

QImage SectionPicture(const ReportSource& source, HitKind kind) {
  QImage picture = BodyMapSurface(kReportBodyMapHeight);
  DrawHitMap(picture, SectionHitsGrid(source, kind), kReportAnchorShift);
  return picture;
}

QImage ReportFlagPicture(TeamMark mark) {
  const QImage& flag = FlagPicture(mark);
  QImage picture(flag.size(), QImage::Format_RGB32);
  picture.fill(kFlagCellColour);
  QPainter painter(&picture);
  painter.drawImage(0, 0, flag);
  return picture;
}

ExportResult ExportHtmlReport(const StatsViewer& viewer, const LoadedProfile& loaded,
                              const HtmlReportOptions& options,
                              const std::filesystem::path& report_file) {
  return ExportHtmlReport(ReportSourceOf(viewer, loaded), options, report_file);
}

ExportResult ExportHtmlReport(const ReportSource& source, const HtmlReportOptions& options,
                              const std::filesystem::path& report_file) {
  const std::filesystem::path dir = report_file.parent_path();
  ExportResult result{true, {}};
  if (options.overall && !source.profile) {
    for (const TeamMark mark : kFlagMarks) {
      const std::string file = std::string(FlagPictureName(mark)) + ".bmp";
      result = WriteBitmap(dir / file, ReportFlagPicture(mark));
      if (!result.written) return result;
    }
  }
  for (int k = 0; k < kHitKindCount; ++k) {
    if (!options.pictures[static_cast<std::size_t>(k)]) continue;
    const auto kind = static_cast<HitKind>(k);
    result = WriteBitmap(dir / SectionPictureFile(kind), SectionPicture(source, kind));
    if (!result.written) return result;
  }
  return WriteFile(report_file, HtmlReportText(source, options));
}

}  // namespace mrv
