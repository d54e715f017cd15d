// The stats viewer's lists: stacked rows 20 pixels high in a scroll box (the map list,
// the player list and, in profile mode, the games list). A row has no background of its
// own; the row under the pointer shows #303030, a selected row the list's selection
// colour, except while the pointer is over it. A press tells the list's owner which row
// it hit (the pointer's height in the stack divided by 20) and with which button and
// keys; the owner decides what changes and gives the rows back with SetRows.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QScrollArea>
#include <QString>
#include <vector>

namespace mrv::ui {

class RowStack;

class RowList : public QScrollArea {
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

 signals:
  // A left press on a row of the list.
  void leftPressed(int row, Qt::KeyboardModifiers modifiers);
  // A right press anywhere in the stack: its height there and the pointer's global place.
  void rightPressed(int stack_y, QPoint global);

 private:
  friend class RowStack;
  void SetHovered(int row);

  RowStack* stack_;
  QColor selected_background_;
  std::vector<Row> rows_;
  int hovered_ = -1;
};

}  // namespace mrv::ui
