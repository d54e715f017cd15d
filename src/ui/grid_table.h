// A two-column grid of the stats viewer as the document fills it: a weapon or a hit
// location, and its count. The viewer's kills, deaths and hits grids and the four grids
// of the one-on-one window. Read-only: nothing in it can be selected or edited.
#pragma once

#include <QTableWidget>

#include "views/grids.h"

namespace mrv::ui {

class GridTable : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 16;

  GridTable(const QString& object_name, int name_width, int count_width, QWidget* parent);

  // As many rows as the grid has; "Total" in bold.
  void Show(const Grid& grid);
  // The text of a cell, for tests.
  QString Cell(int row, int column) const;
};

}  // namespace mrv::ui
