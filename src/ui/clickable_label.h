// A text label that reacts to the pointer and the keyboard: the frame's "HELP" label,
// the about window's home page link, the stats viewer's "  menu", the monitor options'
// links and tabs. It tells when the pointer enters and leaves it, when any button is
// pressed on it and when a left click ends over it; the owner decides what that changes.
// Tab reaches it, and Space or Enter there (or a screen reader's press) is a press and a
// click; keyboard focus shows as a thin frame around it. A screen reader reads it with
// the role its owner gives (a button unless told otherwise) and its text as its name.
#pragma once

#include <QAccessible>
#include <QLabel>

namespace mrv::ui {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  QAccessible::Role AccessibleRole() const { return role_; }
  void SetAccessibleRole(QAccessible::Role role) { role_ = role; }
  // A press and a click, as the keyboard gives them.
  void Activate();

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
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QAccessible::Role role_ = QAccessible::Button;
};

}  // namespace mrv::ui
