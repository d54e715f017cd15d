#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace mrv::ui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
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

}  // namespace mrv::ui
