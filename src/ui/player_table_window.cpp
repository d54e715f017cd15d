#include "ui/player_table_window.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "ui/team_pictures.h"
#include "ui/theme.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kMargin = 6;
constexpr int kArrowRoom = 22;  // the sort arrow and the section's padding

}  // namespace

PlayerTableWindow::PlayerTableWindow(const QString& object_name, const QString& list_name,
                                     const QString& title, QWidget* viewer)
    : QDialog(viewer, Qt::Tool),
      background_(art::kPanelBackground),
      frame_(new WindowFrame(this, title, {.minimise = false, .resizable = true})),
      list_(new QTreeWidget(this)) {
  setObjectName(object_name);
  list_->setObjectName(list_name);
  list_->setAccessibleName(title);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setFocusPolicy(Qt::ClickFocus);  // no row looks current before one is chosen
  list_->setIconSize(QSize(16, 16));
  list_->setFrameShape(QFrame::NoFrame);
  list_->setStyleSheet(QStringLiteral("QTreeWidget { background: %1; alternate-background-color: "
                                      "#1e1e1e; }"
                                      "QHeaderView::section { background: #242424; color: "
                                      "#e8e8e8; border: none; border-right: 1px solid #3a3a3a; "
                                      "padding: 2px 4px; }")
                           .arg(colours::kListBackground.name()));
  list_->header()->setSectionsClickable(true);
  list_->header()->setSectionsMovable(false);
  list_->header()->setStretchLastSection(false);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &PlayerTableWindow::columnClicked);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty()) emit rowSelected(list_->indexOfTopLevelItem(selected.front()));
  });
}

void PlayerTableWindow::SetTitle(const QString& title) {
  frame_->SetTitle(title);
  list_->setAccessibleName(title);
}

void PlayerTableWindow::ShowRows(const std::vector<ListColumn>& columns,
                                 const std::vector<Row>& rows, int selected) {
  const QSignalBlocker quiet(list_);
  list_->setUpdatesEnabled(false);
  list_->clear();
  list_->setColumnCount(static_cast<int>(columns.size()));
  auto* header = new QTreeWidgetItem;
  const QFontMetrics metrics(list_->header()->font());
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const ListColumn& column = columns[static_cast<std::size_t>(c)];
    header->setText(c, FromGameText(column.caption));
    header->setIcon(c, SortArrowPicture(column.arrow));
    header->setTextAlignment(c, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  list_->setHeaderItem(header);
  // Wider than the column's own width where its caption needs it, so that no caption
  // loses letters.
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    list_->setColumnWidth(c, std::max(columns[static_cast<std::size_t>(c)].width,
                                      metrics.horizontalAdvance(header->text(c)) + kArrowRoom));
  }
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const Row& row : rows) {
    auto* item = new QTreeWidgetItem(QStringList{row.nickname} + row.cells);
    item->setIcon(0, TeamIcon(row.mark));
    for (int c = 1; c < item->columnCount(); ++c) item->setTextAlignment(c, Qt::AlignRight);
    items.push_back(item);
  }
  list_->addTopLevelItems(items);
  if (selected >= 0 && selected < items.size()) {
    list_->setCurrentItem(items[selected]);
    list_->scrollToItem(items[selected]);
  }
  list_->setUpdatesEnabled(true);
}

WindowGeometry PlayerTableWindow::Geometry() const {
  return {y(), x(), width(), height()};
}

void PlayerTableWindow::SetGeometry(const WindowGeometry& geometry) {
  move(geometry.left, geometry.top);
  resize(geometry.width, geometry.height);  // the grips' minimum size still holds
}

void PlayerTableWindow::done(int result) {
  QDialog::done(result);
  emit closed();
}

void PlayerTableWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void PlayerTableWindow::resizeEvent(QResizeEvent*) {
  list_->setGeometry(kMargin, kTitleStripHeight + kMargin, width() - 2 * kMargin,
                     height() - kTitleStripHeight - 2 * kMargin);
}

}  // namespace mrv::ui
