#include "ui/clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocumentFragment>

#include "ui/keyboard_focus.h"

namespace mrv::ui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  // "<u>test</u>" is read as "test".
  setAccessibleName(QTextDocumentFragment::fromHtml(text).toPlainText().trimmed());
}

void ClickableLabel::Activate() {
  emit pressed();
  emit clicked();
}

void ClickableLabel::enterEvent(QEnterEvent*) {
  emit entered();
}

void ClickableLabel::leaveEvent(QEvent*) {
  emit left();
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit pressed();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  NoteKeyboardUse(*this);
  if ((event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) ||
      IsEnterKey(*event)) {
    Activate();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!ShowsKeyboardFocus(*this)) return;
  QPainter painter(this);
  DrawFocusFrame(painter, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace mrv::ui
