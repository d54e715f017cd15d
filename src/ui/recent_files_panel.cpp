#include "ui/recent_files_panel.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/keyboard_focus.h"
#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

constexpr int kTextMargin = 7;

}  // namespace

RecentFilesPanel::RecentFilesPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(names::kRecentFilesPanel);
  setAccessibleName(QStringLiteral("Recent log files"));
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  resize(kWidth, kLineCount * kLineHeight + 2);
  captions_[0] = QStringLiteral("   browse");
}

void RecentFilesPanel::SetRecentLabels(const std::array<RecentLabel, kRecentFileCount>& labels) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    // The names are file names, so they are the file system's bytes.
    captions_[i + 1] = PathText(labels[i].caption);
    hints_[i + 1] = PathText(labels[i].hint);
  }
  update();
}

void RecentFilesPanel::Open(bool focus) {
  if (!isVisible()) focus_before_ = QApplication::focusWidget();
  show();
  raise();
  if (!focus) return;
  setFocus(Qt::PopupFocusReason);
  if (highlighted_ < 0) Highlight(0);
}

int RecentFilesPanel::LineAt(int y) const {
  for (int line = 0; line < kLineCount; ++line) {
    const QRect area = LineRect(line);
    // A line's own top edge belongs to the border between lines.
    if (area.top() < y && y < area.top() + area.height()) return line;
  }
  return -1;
}

void RecentFilesPanel::Highlight(int line) {
  if (line == highlighted_) return;
  highlighted_ = line;
  update();
  if (hasFocus()) LineFocusMoved(this, line);
}

void RecentFilesPanel::PressLine(int line) {
  if (line == 0) {
    emit browseChosen();
  } else if (line > 0) {
    emit recentChosen(line - 1);
  }
}

bool RecentFilesPanel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int line = LineAt(help->pos().y());
    if (line > 0 && !hints_[static_cast<std::size_t>(line)].isEmpty()) {
      QToolTip::showText(help->globalPos(), hints_[static_cast<std::size_t>(line)], this,
                         LineRect(line));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

void RecentFilesPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), colours::kBackground);
  for (int line = 0; line < kLineCount; ++line) {
    const QRect area = LineRect(line);
    const bool lit = line == highlighted_;
    if (lit) painter.fillRect(area, colours::kRow);
    painter.setPen(lit ? QColor(Qt::white) : colours::kText);
    painter.drawText(area.adjusted(kTextMargin, 0, -kTextMargin, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, captions_[static_cast<std::size_t>(line)]);
    if (lit && ShowsKeyboardFocus(*this)) DrawFocusFrame(painter, QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
  }
  painter.setPen(colours::kBorder);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RecentFilesPanel::mouseMoveEvent(QMouseEvent* event) {
  Highlight(LineAt(event->position().toPoint().y()));
}

void RecentFilesPanel::mouseReleaseEvent(QMouseEvent* event) {
  PressLine(LineAt(event->position().toPoint().y()));
}

void RecentFilesPanel::keyPressEvent(QKeyEvent* event) {
  NoteKeyboardUse(*this);
  const PopupKey key =
      ReadPopupKey(event->key(), highlighted_, kLineCount, [](int) { return true; });
  switch (key.action) {
    case PopupKey::Action::kHighlight:
      Highlight(key.line);
      break;
    case PopupKey::Action::kChoose:
      PressLine(key.line);
      break;
    case PopupKey::Action::kClose:
      hide();
      break;
    case PopupKey::Action::kOther:
      QWidget::keyPressEvent(event);
  }
}

void RecentFilesPanel::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (event->reason() != Qt::PopupFocusReason) hide();
}

void RecentFilesPanel::leaveEvent(QEvent*) {
  hide();
}

void RecentFilesPanel::hideEvent(QHideEvent*) {
  Highlight(-1);
  if (hasFocus() && focus_before_ != nullptr) focus_before_->setFocus(Qt::PopupFocusReason);
}

QString RecentFilesPanel::LineText(int line) const {
  const QString& hint = hints_[static_cast<std::size_t>(line)];
  // A recent file reads with its full name; the screen shows it shortened.
  return hint.isEmpty() ? captions_[static_cast<std::size_t>(line)].trimmed()
                        : QString::number(line) + QStringLiteral(" - ") + hint;
}

QAccessible::State RecentFilesPanel::LineState(int line) const {
  QAccessible::State state;
  state.focused = hasFocus() && line == highlighted_;
  state.hotTracked = line == highlighted_;
  return state;
}

QRect RecentFilesPanel::LineRect(int line) const {
  return {1, 1 + line * kLineHeight, kWidth - 2, kLineHeight};
}

}  // namespace mrv::ui
