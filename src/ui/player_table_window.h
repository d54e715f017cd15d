// The two resizable windows the stats viewer owns in game mode, each one sortable list
// of players with their team icons: the overall table (titled "Overall stats") and the
// weapon details (titled by its opener). They are borderless tool windows over the viewer, dragged
// by their title strip and resized from the right edge, the bottom edge and the corner, never below
// 100 x 100. They show what the viewer's document holds and tell the viewer of a column click, a
// row becoming selected and their close button; they decide nothing.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "files/settings.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "views/list_sort.h"
#include "views/team_mark.h"

class QTreeWidget;

namespace mrv::ui {

class WindowFrame;

class PlayerTableWindow : public QDialog {
  Q_OBJECT

 public:
  struct Row {
    QString nickname;
    TeamMark mark;
    QStringList cells;
  };

  PlayerTableWindow(const QString& object_name, const QString& list_name, const QString& title,
                    QWidget* viewer);

  void SetTitle(const QString& title);
  // The columns with their widths and sort arrows, then the rows. Row `selected` (-1 for
  // none) is selected without telling anyone.
  void ShowRows(const std::vector<ListColumn>& columns, const std::vector<Row>& rows, int selected);
  // The document's rows (OverallRow, DetailsRow): a nickname, a team mark and cells.
  template <class DocumentRow>
  void ShowTable(const std::vector<ListColumn>& columns, const std::vector<DocumentRow>& rows,
                 int selected) {
    std::vector<Row> shown;
    shown.reserve(rows.size());
    for (const DocumentRow& row : rows) {
      QStringList cells;
      for (const std::string& cell : row.cells) cells.push_back(FromGameText(cell));
      shown.push_back({FromGameText(row.nickname), row.mark, std::move(cells)});
    }
    ShowRows(columns, shown, selected);
  }

  QTreeWidget* list() const { return list_; }
  WindowGeometry Geometry() const;
  void SetGeometry(const WindowGeometry& geometry);
  void done(int result) override;

 signals:
  void columnClicked(int column);
  void rowSelected(int row);
  // The close button, or Escape.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  ArtPicture background_;
  WindowFrame* frame_;
  QTreeWidget* list_;
};

}  // namespace mrv::ui
