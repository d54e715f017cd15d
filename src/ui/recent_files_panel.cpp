#include "ui/recent_files_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

RecentFilesPanel::RecentFilesPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(names::kRecentFilesPanel);
  setMouseTracking(true);
  resize(kWidth, static_cast<int>(lines_.size()) * kLineHeight + 2);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto* line = new QLabel(this);
    line->setObjectName(i == 0 ? QString::fromLatin1(names::kBrowseLine)
                               : names::RecentFileLine(static_cast<int>(i)));
    line->setGeometry(1, 1 + static_cast<int>(i) * kLineHeight, kWidth - 2, kLineHeight);
    line->setContentsMargins(6, 0, 6, 0);
    line->setAutoFillBackground(true);
    lines_[i] = line;
  }
  lines_[0]->setText(QStringLiteral("   browse"));
  Highlight(-1);
}

void RecentFilesPanel::SetRecentLabels(const std::array<RecentLabel, kRecentFileCount>& labels) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    // The names are file names, so they are the file system's bytes.
    lines_[i + 1]->setText(PathText(labels[i].caption));
    lines_[i + 1]->setToolTip(PathText(labels[i].hint));
  }
}

int RecentFilesPanel::LineAt(int y) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const QRect line = lines_[i]->geometry();
    if (line.top() < y && y < line.top() + line.height()) return static_cast<int>(i);
  }
  return -1;
}

void RecentFilesPanel::Highlight(int line) {
  highlighted_ = line;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    QPalette palette = lines_[i]->palette();
    const bool lit = static_cast<int>(i) == line;
    palette.setColor(QPalette::Window, lit ? colours::kRow : colours::kBackground);
    palette.setColor(QPalette::WindowText, lit ? Qt::white : colours::kText);
    lines_[i]->setPalette(palette);
  }
}

void RecentFilesPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), colours::kBackground);
  painter.setPen(colours::kBorder);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RecentFilesPanel::mouseMoveEvent(QMouseEvent* event) {
  const int line = LineAt(event->position().toPoint().y());
  if (line != highlighted_) Highlight(line);
}

void RecentFilesPanel::mouseReleaseEvent(QMouseEvent* event) {
  const int line = LineAt(event->position().toPoint().y());
  if (line == 0) {
    emit browseChosen();
  } else if (line > 0) {
    emit recentChosen(line - 1);
  }
}

void RecentFilesPanel::leaveEvent(QEvent*) {
  hide();
}

void RecentFilesPanel::hideEvent(QHideEvent*) {
  Highlight(-1);
}

}  // namespace mrv::ui
