// A text label that reacts to the pointer: the frame's "HELP" label, the about window's
// home page link, the stats viewer's "  menu". It tells when the pointer enters and
// leaves it, when any button is pressed on it and when a left click ends over it; the
// owner decides what that changes.
#pragma once

#include <QLabel>

namespace mrv::ui {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void pressed();
  void clicked();
  void entered();
  void left();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Taken, so that a press on a label in a title strip does not start dragging the window.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace mrv::ui
