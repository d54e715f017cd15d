// HtmlExportDialog, the export dialog: the report's title and observation lines, which parts
// it holds and which pictures are written beside it. Save asks for the file ("Save
// HTML file", from LastDir, proposing the title followed by ".html"), writes the
// pictures and the report, and closes; a failure is shown and the dialog stays open.
// Cancel and the close image close it without writing.
//
// The viewer's menu slot 2 opens it through ShowHtmlExport, in either mode: the
// dialog reads the viewer document (its mode, its selection, what it shows) and never
// changes it.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "files/profile_store.h"
#include "ui/window_art.h"
#include "views/html_report.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace mrv {
class StatsViewer;
}

namespace mrv::ui {

class FileDialogs;
struct ProgramState;

class HtmlExportDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{340, 344};

  // `last_dir` is where the save dialog starts.
  HtmlExportDialog(const StatsViewer& viewer, const LoadedProfile& loaded, std::string last_dir,
            FileDialogs& file_dialogs, QWidget* parent = nullptr);

  // The options the controls hold now.
  HtmlReportOptions Options() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QCheckBox* AddBox(const char* name, const char* caption, int column, int row);
  void Save();

  const StatsViewer& viewer_;
  const LoadedProfile& loaded_;
  const std::string last_dir_;
  FileDialogs& file_dialogs_;
  ArtPicture background_;
  QLineEdit* title_;
  QPlainTextEdit* observations_;
  QCheckBox* overall_;
  QCheckBox* capture_the_flag_;
  std::array<QCheckBox*, kHitKindCount> sections_{};
  std::array<QCheckBox*, kHitKindCount> pictures_{};
  QCheckBox* weapons_;
  QCheckBox* progress_ = nullptr;  // profile mode only
};

// Menu slot 2 of the viewer: the export dialog over `parent`, shown modally.
void ShowHtmlExport(const ProgramState& state, const StatsViewer& viewer, FileDialogs& file_dialogs,
                    QWidget* parent);

}  // namespace mrv::ui
