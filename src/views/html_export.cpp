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

namespace fs = std::filesystem;

// Which file and why.
ExportResult Failed(const fs::path& file, const std::string& reason) {
  return {false, "Unable to write file!\r\n" + file.string() + "\r\n" + reason};
}

// Reports go into folders other users may share: a link under a report's or a
// picture's name is refused, never written through.
ExportResult WriteFile(const fs::path& file, std::string_view content) {
  std::string reason;
  if (ReplaceFileSafely(file, content, LinkRule::kRefuse, reason) != ReplaceResult::kReplaced) {
    return Failed(file, reason);
  }
  return {true, {}};
}

ExportResult WriteBitmap(const fs::path& file, const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return Failed(file, "The picture could not be made.");
  return WriteFile(file,
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

fs::path FromUtf8(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
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
                              const fs::path& report_file) {
  const fs::path dir = report_file.parent_path();
  std::error_code error;
  if (!fs::is_directory(dir.empty() ? fs::path(".") : dir, error)) {
    return Failed(report_file, "The folder " + dir.string() + " does not exist.");
  }
  HtmlReportOptions named = options;
  named.file_stem = Utf8(report_file.stem());
  const auto picture_file = [&](std::string_view picture) {
    return dir / FromUtf8(ReportPictureFile(named.file_stem, picture));
  };
  ExportResult result{true, {}};
  if (options.overall && !source.profile) {
    for (const TeamMark mark : kFlagMarks) {
      const std::string picture = std::string(FlagPictureName(mark)) + ".bmp";
      result = WriteBitmap(picture_file(picture), ReportFlagPicture(mark));
      if (!result.written) return result;
    }
  }
  for (int k = 0; k < kHitKindCount; ++k) {
    if (!options.pictures[static_cast<std::size_t>(k)]) continue;
    const auto kind = static_cast<HitKind>(k);
    result = WriteBitmap(picture_file(SectionPictureFile(kind)), SectionPicture(source, kind));
    if (!result.written) return result;
  }
  return WriteFile(report_file, HtmlReportText(source, named));
}

}  // namespace mrv
