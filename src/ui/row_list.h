// The stats viewer's lists: stacked rows 20 pixels high in a scroll box (the map list,
// the player list and, in profile mode, the games list). A row has no background of its
// own; the row under the pointer shows #303030, a selected row the list's selection
// colour, except while the pointer is over it. A press tells the list's owner which row
// it hit (the pointer's height in the stack divided by 20) and with which button and
// keys; the owner decides what changes and gives the rows back with SetRows.
//
// The keyboard works it as a list box: the arrows, Home, End, Page Up and Page Down move
// a cursor (framed while the list has the focus), Space or Enter presses the cursor's row
// as a left click would (with Ctrl and Shift as held: Ctrl+Space toggles a row as
// Ctrl-click does), and the menu key or Shift+F10 presses it as a right click would. A
// screen reader reads it as a list of its rows.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QScrollArea>
#include <QString>
#include <vector>

#include "ui/accessible_widgets.h"

namespace mrv::ui {

class RowStack;

class RowList : public QScrollArea, public AccessibleLines {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 20;

  struct Row {
    QString caption;
    QColor colour;
    QPixmap icon;  // drawn at the row's right end when there is one
    bool selected = false;
  };

  RowList(const QString& object_name, const QColor& selected_background, QWidget* parent);

  // A list with other captions than before scrolls back to its top.
  void SetRows(std::vector<Row> rows);
  const std::vector<Row>& rows() const { return rows_; }
  // The stack of rows, which takes the clicks; and a point inside a row, in its
  // coordinates.
  QWidget* stack() const;
  static QPoint RowPoint(int row) { return {8, row * kRowHeight + kRowHeight / 2}; }

  QAccessible::Role LinesRole() const override { return QAccessible::List; }
  int LineCount() const override { return static_cast<int>(rows_.size()); }
  QString LineText(int line) const override;
  QAccessible::State LineState(int line) const override;
  QRect LineRect(int line) const override;
  void PressLine(int line) override;

 signals:
  // A left press on a row of the list.
  void leftPressed(int row, Qt::KeyboardModifiers modifiers);
  // A right press anywhere in the stack: its height there and the pointer's global place.
  void rightPressed(int stack_y, QPoint global);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class RowStack;
  void SetHovered(int row);
  // Where the cursor starts: on the first selected row, else on the first.
  int StartRow() const;
  // Puts the cursor on `row` (clamped to the rows) and scrolls it into view.
  void MoveCursor(int row);

  RowStack* stack_;
  QColor selected_background_;
  std::vector<Row> rows_;
  int hovered_ = -1;
  int cursor_ = -1;  // the row the keyboard works on, -1 in an empty list
};

}  // namespace mrv::ui
