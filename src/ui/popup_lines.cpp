#include "ui/popup_lines.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/keyboard_focus.h"
#include "ui/theme.h"

namespace mrv::ui {

namespace {

constexpr int kTextMargin = 8;
constexpr int kExtraHeight = 5;

}  // namespace

PopupLines::PopupLines(const QString& object_name, QWidget* parent) : QWidget(parent) {
  setObjectName(object_name);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  hide();
}

void PopupLines::SetLines(std::vector<Line> lines) {
  lines_ = std::move(lines);
  int width = kMinimumWidth;
  for (const Line& line : lines_) {
    width = std::max(width, fontMetrics().horizontalAdvance(line.caption) + 3 * kTextMargin);
  }
  resize(width, static_cast<int>(lines_.size()) * kLineHeight + kExtraHeight);
  highlighted_ = -1;
  update();
}

void PopupLines::ShowAt(QPoint top_left) {
  const QWidget* window = parentWidget();
  top_left.setX(std::max(0, std::min(top_left.x(), window->width() - width())));
  top_left.setY(std::max(0, std::min(top_left.y(), window->height() - height())));
  move(top_left);
  if (!isVisible()) focus_before_ = QApplication::focusWidget();
  show();
  raise();
  setFocus(Qt::PopupFocusReason);
}

int PopupLines::LineAt(int y) const {
  if (y < 0) return -1;
  const int line = y / kLineHeight;
  return line < static_cast<int>(lines_.size()) ? line : -1;
}

void PopupLines::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), colours::kBackground);
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const Line& line = lines_[static_cast<std::size_t>(i)];
    const QRect area(1, i * kLineHeight, width() - 2, kLineHeight);
    if (i == highlighted_) {
      painter.fillRect(area, colours::kRow);
      painter.fillRect(area.left(), area.top(), 3, area.height(), colours::kBlueTeam);
    }
    if (line.separator_above) {
      painter.fillRect(area.left() + 4, area.top(), area.width() - 8, 1, colours::kBorder);
    }
    painter.setPen(line.grey           ? colours::kGreyText
                   : i == highlighted_ ? QColor(Qt::white)
                                       : colours::kText);
    painter.drawText(area.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     line.caption);
  }
  painter.setPen(colours::kBorder);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PopupLines::Highlight(int line) {
  if (line == highlighted_) return;
  highlighted_ = line;
  update();
  if (hasFocus()) LineFocusMoved(this, line);
}

void PopupLines::mouseMoveEvent(QMouseEvent* event) {
  int line = LineAt(event->position().toPoint().y());
  if (line >= 0 && lines_[static_cast<std::size_t>(line)].grey) line = -1;
  Highlight(line);
}

void PopupLines::keyPressEvent(QKeyEvent* event) {
  NoteKeyboardUse(*this);
  const PopupKey key = ReadPopupKey(event->key(), highlighted_, LineCount(), [this](int line) {
    return !lines_[static_cast<std::size_t>(line)].grey;
  });
  switch (key.action) {
    case PopupKey::Action::kHighlight:
      if (key.line >= 0) Highlight(key.line);
      break;
    case PopupKey::Action::kChoose:
      if (key.line >= 0) emit chosen(key.line);
      break;
    case PopupKey::Action::kClose:
      hide();
      break;
    case PopupKey::Action::kOther:
      QWidget::keyPressEvent(event);
  }
}

void PopupLines::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // The focus went elsewhere (a click outside, another window): the popup goes too.
  if (event->reason() != Qt::PopupFocusReason) hide();
}

void PopupLines::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return;
  const int line = LineAt(event->position().toPoint().y());
  if (line >= 0 && !lines_[static_cast<std::size_t>(line)].grey) emit chosen(line);
}

void PopupLines::leaveEvent(QEvent*) {
  hide();
}

void PopupLines::showEvent(QShowEvent*) {
  qApp->installEventFilter(this);
}

void PopupLines::hideEvent(QHideEvent*) {
  qApp->removeEventFilter(this);
  highlighted_ = -1;
  if (hasFocus() && focus_before_ != nullptr) focus_before_->setFocus(Qt::PopupFocusReason);
}

bool PopupLines::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    if (!rect().contains(mapFromGlobal(global))) hide();
  }
  return false;
}

QString PopupLines::LineText(int line) const {
  return lines_[static_cast<std::size_t>(line)].caption.trimmed();
}

QAccessible::State PopupLines::LineState(int line) const {
  QAccessible::State state;
  state.disabled = lines_[static_cast<std::size_t>(line)].grey;
  state.focused = hasFocus() && line == highlighted_;
  state.hotTracked = line == highlighted_;
  return state;
}

QRect PopupLines::LineRect(int line) const {
  return {1, line * kLineHeight, width() - 2, kLineHeight};
}

void PopupLines::PressLine(int line) {
  if (!lines_[static_cast<std::size_t>(line)].grey) emit chosen(line);
}

}  // namespace mrv::ui
