#include "ui/grid_table.h"

#include <QHeaderView>

#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

GridTable::GridTable(const QString& object_name, int name_width, int count_width, QWidget* parent)
    : QTableWidget(0, 2, parent) {
  setObjectName(object_name);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setColumnWidth(0, name_width);
  setColumnWidth(1, count_width);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setShowGrid(false);
  setFrameShape(QFrame::NoFrame);
  setAlternatingRowColors(true);
  setStyleSheet(QStringLiteral("QTableWidget { background: %1; alternate-background-color: %2; }")
                    .arg(colours::kListBackground.name(), QColor(0x1e, 0x1e, 0x1e).name()));
}

void GridTable::Show(const Grid& grid) {
  setRowCount(static_cast<int>(grid.size()));
  QFont bold = font();
  bold.setBold(true);
  for (int row = 0; row < rowCount(); ++row) {
    const GridRow& cells = grid[static_cast<std::size_t>(row)];
    const bool total = cells.name == "Total";
    for (int column = 0; column < 2; ++column) {
      auto* item = new QTableWidgetItem(FromGameText(column == 0 ? cells.name : cells.count));
      item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
      if (total) item->setFont(bold);
      setItem(row, column, item);
    }
  }
}

QString GridTable::Cell(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

}  // namespace mrv::ui
