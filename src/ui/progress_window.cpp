#include "ui/progress_window.h"

#include <QLabel>

#include "ui/object_names.h"
#include "ui/progress_charts_view.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kMargin = 8;
constexpr int kPointLineHeight = 18;

QString TitleOf(std::size_t games) {
  if (games == 0) return QStringLiteral("Progress");
  return QStringLiteral("Progress over %1 game%2").arg(games).arg(games == 1 ? "" : "s");
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* viewer)
    : QDialog(viewer, Qt::Tool),
      background_(art::kPanelBackground),
      frame_(new WindowFrame(this, TitleOf(0), {.minimise = false, .resizable = true})),
      charts_(new ProgressChartsView(this)),
      point_(new QLabel(this)) {
  setObjectName(names::kProgressWindow);
  setAccessibleName(QStringLiteral("Progress"));
  point_->setObjectName(names::kProgressPoint);
  point_->setAccessibleName(QStringLiteral("Game under the pointer"));
  point_->setTextFormat(Qt::PlainText);
  setMinimumSize(kMinimumSize);
  resize(kSize);
  connect(charts_, &ProgressChartsView::pointChanged, this, [this](const QString& text) {
    if (text.isEmpty()) {
      ShowHint();
    } else {
      point_->setText(text);
    }
  });
}

void ProgressWindow::ShowProgress(const Progress& progress, const std::string& error) {
  const std::size_t games = progress.games.size();
  frame_->SetTitle(TitleOf(error.empty() ? games : 0));
  if (!error.empty()) {
    hint_ = QStringLiteral("The games' figures could not be read: ") + MessageText(error);
    charts_->SetProgress({});
  } else {
    hint_ = games == 0 ? QStringLiteral("No game selected.")
                       : QStringLiteral(
                             "The oldest game on the left; point at a game to read "
                             "its figures.");
    charts_->SetProgress(progress);
  }
  ShowHint();
}

void ProgressWindow::ShowHint() {
  point_->setText(hint_);
}

void ProgressWindow::done(int result) {
  QDialog::done(result);
  emit closed();
}

void ProgressWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void ProgressWindow::resizeEvent(QResizeEvent*) {
  const int top = kTitleStripHeight + kMargin;
  charts_->setGeometry(kMargin, top, width() - 2 * kMargin,
                       height() - top - kMargin - kPointLineHeight);
  point_->setGeometry(kMargin, height() - kMargin - kPointLineHeight, width() - 2 * kMargin,
                      kPointLineHeight);
}

}  // namespace mrv::ui
