#include "ui/keyboard_focus.h"

#include <QPainter>
#include <QWidget>
#include <vector>

#include "ui/theme.h"

namespace mrv::ui {

bool IsEnterKey(const QKeyEvent& event) {
  const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
  return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void NoteKeyboardUse(QWidget& widget) {
  QWidget* window = widget.window();
  if (window->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  window->setAttribute(Qt::WA_KeyboardFocusChange);
  widget.update();
}

bool ShowsKeyboardFocus(const QWidget& widget) {
  return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void DrawFocusFrame(QPainter& painter, const QRectF& frame) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colours::kFocus, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(frame, 2, 2);
  painter.restore();
}

void MoveToTabOrderEnd(QWidget& part) {
  QWidget* window = part.window();
  const auto reachable = [](const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
  };
  const auto inside = [&part](const QWidget* widget) {
    return widget == &part || part.isAncestorOf(widget);
  };
  std::vector<QWidget*> moving;
  QWidget* last_outside = nullptr;
  for (QWidget* widget = window->nextInFocusChain(); widget != window;
       widget = widget->nextInFocusChain()) {
    if (!reachable(widget)) continue;
    if (inside(widget)) {
      moving.push_back(widget);
    } else {
      last_outside = widget;
    }
  }
  // Each one after the one before, in the order they had among themselves.
  QWidget* previous = last_outside;
  for (QWidget* widget : moving) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

PopupKey ReadPopupKey(int key, int current, int count, const std::function<bool(int)>& choosable) {
  // From `from` on, `count` lines at most, going by `step` round the ends.
  const auto search = [&](int from, int step) {
    for (int i = 0; i < count; ++i) {
      const int line = ((from + step * i) % count + count) % count;
      if (choosable(line)) return PopupKey{PopupKey::Action::kHighlight, line};
    }
    return PopupKey{PopupKey::Action::kHighlight, -1};
  };
  switch (key) {
    case Qt::Key_Down:
      return search(current + 1, 1);
    case Qt::Key_Up:
      return search(current < 0 ? count - 1 : current - 1, -1);
    case Qt::Key_Home:
      return search(0, 1);
    case Qt::Key_End:
      return search(count - 1, -1);
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return {PopupKey::Action::kChoose, current};
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return {PopupKey::Action::kClose, current};
    default:
      return {};
  }
}

}  // namespace mrv::ui
