#include "ui/html_export_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/keyboard_focus.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/program_state.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"
#include "views/html_export.h"
#include "views/stats_viewer.h"

namespace mrv::ui {

namespace {

constexpr int kLeft = 14;
constexpr int kColumnWidth = 156;
constexpr int kBoxesTop = 158;
constexpr int kRowHeight = 22;
constexpr const char* kPictureHint =
    "this image will be saved in the same directory as the html file";

QLabel* FieldLabel(QWidget* parent, const char* caption, int top) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setGeometry(kLeft, top, 200, 16);
  return label;
}

// The observation lines as a list of lines reads them: none for an empty box, and a final
// line break ends the last line rather than starting another.
std::vector<std::string> ObservationLines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  std::vector<std::string> result;
  for (const QString& line : lines) result.push_back(ToGameText(line));
  return result;
}

// The title as the name of the report's file, in the save dialog's folder: only the
// title's last path component, and in it any other path separator (and what else makes
// no file name) becomes "_", so that no folder part of the title leads elsewhere
// ("../../etc/evil\x" proposes "evil_x.html").
QString ReportFileName(const QString& title) {
#ifdef _WIN32
  const QString separators = QStringLiteral("/\\");
  const QString forbidden = QStringLiteral(":*?\"<>|");
#else
  const QString separators = QStringLiteral("/");
  const QString forbidden = QStringLiteral("\\");
#endif
  qsizetype last = -1;
  for (const QChar separator : separators) last = std::max(last, title.lastIndexOf(separator));
  QString name = title.mid(last + 1);
  for (QChar& c : name) {
    if (forbidden.contains(c) || c.category() == QChar::Other_Control) c = QLatin1Char('_');
  }
  return name + QStringLiteral(".html");
}

}  // namespace

HtmlExportDialog::HtmlExportDialog(const StatsViewer& viewer, const LoadedProfile& loaded,
                                   std::string last_dir, FileDialogs& file_dialogs, QWidget* parent)
    : QDialog(parent),
      viewer_(viewer),
      loaded_(loaded),
      last_dir_(std::move(last_dir)),
      file_dialogs_(file_dialogs),
      background_(art::kPanelBackground),
      title_(new QLineEdit(this)),
      observations_(new QPlainTextEdit(this)) {
  setObjectName(names::kHtmlExportDialog);
  setModal(true);
  setFixedSize(kSize);
  new WindowFrame(this, QStringLiteral("Export to HTML"), {.minimise = false});
  const HtmlReportOptions defaults;

  FieldLabel(this, "Title:", 30);
  title_->setObjectName(names::kReportTitle);
  title_->setAccessibleName(QStringLiteral("Title"));
  title_->setGeometry(kLeft, 48, kSize.width() - 2 * kLeft, 22);
  title_->setText(FromGameText(defaults.title));
  FieldLabel(this, "Observations:", 78);
  observations_->setObjectName(names::kObservations);
  observations_->setAccessibleName(QStringLiteral("Observations"));
  observations_->setTabChangesFocus(true);
  observations_->setGeometry(kLeft, 96, kSize.width() - 2 * kLeft, 54);
  observations_->setPlainText(FromGameText(defaults.observations.front()));

  overall_ = AddBox(names::kOverallBox, "Overall stats", 0, 0);
  capture_the_flag_ = AddBox(names::kCaptureTheFlagBox, "Capture the flag stats", 1, 0);
  constexpr std::array<std::array<const char*, 2>, kHitKindCount> kHitCaptions = {{
      {"Hits", "Hits picture"},
      {"Hits taken", "Hits taken picture"},
      {"Death Hits", "Death Hits picture"},
      {"Death Hits taken", "Death Hits taken picture"},
  }};
  static_assert(names::kHitSectionBoxes.size() == kHitKindCount);
  for (std::size_t k = 0; k < kHitCaptions.size(); ++k) {
    const int row = static_cast<int>(k) + 1;
    sections_[k] = AddBox(names::kHitSectionBoxes[k], kHitCaptions[k][0], 0, row);
    pictures_[k] = AddBox(names::kHitPictureBoxes[k], kHitCaptions[k][1], 1, row);
    pictures_[k]->setToolTip(QString::fromLatin1(kPictureHint));
  }
  weapons_ = AddBox(names::kWeaponsBox, "Weapons", 0, 5);
  if (viewer.profile_mode()) {
    progress_ = AddBox(names::kProgressBox, "Progress", 1, 5);
    progress_->setAccessibleName(QStringLiteral("Progress charts in the report"));
    progress_->setToolTip(QStringLiteral("charts of the selected games over time"));
  } else {
    weapons_->resize(2 * kColumnWidth, kRowHeight);
    weapons_->setText(QStringLiteral("Weapons (player must be selected)"));
    const bool selected = ReportCanShowWeapons(viewer);
    weapons_->setChecked(selected);
    weapons_->setEnabled(selected);
  }

  auto* save = DialogButton(this, art::kButtonOk, QStringLiteral("Save"), names::kSaveButton);
  auto* cancel =
      DialogButton(this, art::kButtonCancel, QStringLiteral("Cancel"), names::kCancelButton);
  const int buttons_top = kSize.height() - 12 - save->height();
  save->move(kSize.width() / 2 - 6 - save->width(), buttons_top);
  cancel->move(kSize.width() / 2 + 6, buttons_top);
  connect(save, &ImageButton::clicked, this, &HtmlExportDialog::Save);
  connect(cancel, &ImageButton::clicked, this, &QDialog::reject);
}

QCheckBox* HtmlExportDialog::AddBox(const char* name, const char* caption, int column, int row) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(kLeft + column * kColumnWidth, kBoxesTop + row * kRowHeight, kColumnWidth,
                   kRowHeight);
  box->setChecked(true);
  return box;
}

HtmlReportOptions HtmlExportDialog::Options() const {
  HtmlReportOptions options;
  options.title = ToGameText(title_->text());
  options.observations = ObservationLines(observations_->toPlainText());
  options.overall = overall_->isChecked();
  options.capture_the_flag = capture_the_flag_->isChecked();
  for (std::size_t k = 0; k < sections_.size(); ++k) {
    options.sections[k] = sections_[k]->isChecked();
    options.pictures[k] = pictures_[k]->isChecked();
  }
  options.weapons = weapons_->isChecked();
  options.progress = progress_ != nullptr && progress_->isChecked();
  return options;
}

void HtmlExportDialog::Save() {
  const QString file = file_dialogs_.SaveFile(
      this, QStringLiteral("Save HTML file"),
      QDir(StartFolder(last_dir_, {})).filePath(ReportFileName(title_->text())),
      QStringLiteral("HTML files (*.html);;HTML files (*.htm)"));
  if (file.isEmpty()) return;
  const ExportResult result = ExportHtmlReport(viewer_, loaded_, Options(), PathFromText(file));
  if (!result.written) {
    InformationBox(MessageText(result.message), QStringLiteral("ERROR!"), this);
    return;
  }
  accept();
}

void HtmlExportDialog::keyPressEvent(QKeyEvent* event) {
  // Enter outside the observations (which take it as a line break) saves.
  if (IsEnterKey(*event)) {
    Save();
    return;
  }
  QDialog::keyPressEvent(event);
}

void HtmlExportDialog::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void ShowHtmlExport(const ProgramState& state, const StatsViewer& viewer, FileDialogs& file_dialogs,
                    QWidget* parent) {
  HtmlExportDialog dialog(viewer, state.loaded_profile, state.settings.last_dir, file_dialogs,
                          parent);
  dialog.exec();
}

}  // namespace mrv::ui
