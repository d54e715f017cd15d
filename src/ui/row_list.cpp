#include "ui/row_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/keyboard_focus.h"
#include "ui/theme.h"

namespace mrv::ui {

// The rows themselves, inside the scroll box: as tall as the rows, as wide as the box.
class RowStack final : public QWidget {
 public:
  explicit RowStack(RowList* list) : QWidget(list), list_(list) {
    setMouseTracking(true);
    setAutoFillBackground(false);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const auto& rows = list_->rows_;
    const int first = std::max(0, event->rect().top() / RowList::kRowHeight);
    const int last =
        std::min(static_cast<int>(rows.size()) - 1, event->rect().bottom() / RowList::kRowHeight);
    for (int i = first; i <= last; ++i) {
      const RowList::Row& row = rows[static_cast<std::size_t>(i)];
      const QRect area(0, i * RowList::kRowHeight, width(), RowList::kRowHeight);
      const QColor& background = i == list_->hovered_ ? colours::kRow
                                 : row.selected       ? list_->selected_background_
                                                      : colours::kListBackground;
      if (i == list_->hovered_ || row.selected) painter.fillRect(area, background);
      // A selected row is told apart even where its colour is close to the list's.
      if (row.selected) painter.fillRect(area.left(), area.top(), 2, area.height(), Qt::white);
      int text_right = area.right() - 4;
      if (!row.icon.isNull()) {
        const QSize icon = row.icon.deviceIndependentSize().toSize();
        const int left = area.right() - icon.width() - 2;
        painter.drawPixmap(left, area.top() + (area.height() - icon.height()) / 2, row.icon);
        text_right = left - 4;
      }
      // A chosen row must be read at a glance, whatever its team colour.
      painter.setPen(row.selected ? ReadableOn(row.colour, background) : row.colour);
      const QRect text(area.left() + 6, area.top(), text_right - area.left() - 6, area.height());
      painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                       fontMetrics().elidedText(row.caption, Qt::ElideRight, text.width()));
      if (i == list_->cursor_ && ShowsKeyboardFocus(*list_)) {
        DrawFocusFrame(painter, QRectF(area).adjusted(1.5, 0.5, -1.5, -0.5));
      }
    }
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    list_->SetHovered(RowAt(event->position().toPoint().y()));
  }

  void leaveEvent(QEvent*) override { list_->SetHovered(-1); }

  void mousePressEvent(QMouseEvent* event) override {
    const int y = event->position().toPoint().y();
    if (event->button() == Qt::LeftButton) {
      const int row = RowAt(y);
      if (row >= 0) {
        list_->cursor_ = row;
        emit list_->leftPressed(row, event->modifiers());
      }
    } else if (event->button() == Qt::RightButton) {
      emit list_->rightPressed(y, event->globalPosition().toPoint());
    }
  }

 private:
  int RowAt(int y) const {
    const int row = y < 0 ? -1 : y / RowList::kRowHeight;
    return row < static_cast<int>(list_->rows_.size()) ? row : -1;
  }

  RowList* list_;
};

RowList::RowList(const QString& object_name, const QColor& selected_background, QWidget* parent)
    : QScrollArea(parent), stack_(new RowStack(this)), selected_background_(selected_background) {
  setObjectName(object_name);
  stack_->setObjectName(object_name + QStringLiteral("rows"));
  setWidget(stack_);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, colours::kListBackground);
  setPalette(palette);
  setAutoFillBackground(true);
  viewport()->setAutoFillBackground(false);
}

QWidget* RowList::stack() const {
  return stack_;
}

void RowList::SetRows(std::vector<Row> rows) {
  bool same_captions = rows.size() == rows_.size();
  for (std::size_t i = 0; same_captions && i < rows.size(); ++i) {
    same_captions = rows[i].caption == rows_[i].caption;
  }
  rows_ = std::move(rows);
  stack_->setMinimumHeight(static_cast<int>(rows_.size()) * kRowHeight);
  if (hovered_ >= static_cast<int>(rows_.size())) hovered_ = -1;
  if (!same_captions) {
    verticalScrollBar()->setValue(0);
    cursor_ = -1;
    if (hasFocus()) MoveCursor(StartRow());
  }
  stack_->update();
}

void RowList::SetHovered(int row) {
  if (row == hovered_) return;
  hovered_ = row;
  stack_->update();
}

int RowList::StartRow() const {
  const auto selected =
      std::find_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.selected; });
  return selected == rows_.end() ? 0 : static_cast<int>(selected - rows_.begin());
}

void RowList::MoveCursor(int row) {
  if (rows_.empty()) {
    cursor_ = -1;
    return;
  }
  cursor_ = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
  ensureVisible(0, cursor_ * kRowHeight + kRowHeight / 2, 0, kRowHeight / 2);
  stack_->update();
  LineFocusMoved(this, cursor_);
}

void RowList::keyPressEvent(QKeyEvent* event) {
  NoteKeyboardUse(*this);
  const int page = std::max(1, viewport()->height() / kRowHeight - 1);
  const bool shift_f10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (cursor_ < 0) cursor_ = StartRow();
  switch (event->key()) {
    case Qt::Key_Up:
      MoveCursor(cursor_ - 1);
      return;
    case Qt::Key_Down:
      MoveCursor(cursor_ + 1);
      return;
    case Qt::Key_PageUp:
      MoveCursor(cursor_ - page);
      return;
    case Qt::Key_PageDown:
      MoveCursor(cursor_ + page);
      return;
    case Qt::Key_Home:
      MoveCursor(0);
      return;
    case Qt::Key_End:
      MoveCursor(static_cast<int>(rows_.size()) - 1);
      return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (cursor_ < static_cast<int>(rows_.size())) {
        emit leftPressed(cursor_, event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
      }
      return;
    case Qt::Key_Menu:
      break;
    default:
      if (!shift_f10) {
        QScrollArea::keyPressEvent(event);
        return;
      }
  }
  // The menu key: a right press in the middle of the cursor's row.
  if (cursor_ >= static_cast<int>(rows_.size())) return;
  const QPoint middle = RowPoint(cursor_);
  emit rightPressed(middle.y(), stack_->mapToGlobal(middle));
}

void RowList::focusInEvent(QFocusEvent* event) {
  QScrollArea::focusInEvent(event);
  if (cursor_ < 0) MoveCursor(StartRow());
  stack_->update();
}

void RowList::focusOutEvent(QFocusEvent* event) {
  QScrollArea::focusOutEvent(event);
  stack_->update();
}

QString RowList::LineText(int line) const {
  return rows_[static_cast<std::size_t>(line)].caption;
}

QAccessible::State RowList::LineState(int line) const {
  QAccessible::State state;
  state.selected = rows_[static_cast<std::size_t>(line)].selected;
  state.focused = hasFocus() && line == cursor_;
  state.hotTracked = line == hovered_;
  return state;
}

QRect RowList::LineRect(int line) const {
  return {stack_->mapTo(this, QPoint(0, line * kRowHeight)), QSize(stack_->width(), kRowHeight)};
}

void RowList::PressLine(int line) {
  cursor_ = line;
  emit leftPressed(line, Qt::NoModifier);
}

}  // namespace mrv::ui
