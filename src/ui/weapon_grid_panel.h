// A weapon grid under its heading ("Kills:" or "Deaths:") with the details button
// beside the heading, which opens the weapon details window for the weapons listed.
// The viewer has two (kills and deaths), each half of the one-on-one window two.
#pragma once

#include <QWidget>

#include "views/grids.h"

class QLabel;

namespace mrv::ui {

class GridTable;
class ImageButton;

class WeaponGridPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeadingHeight = 22;

  // `grid_name` names the grid, `button_name` the details button.
  WeaponGridPanel(const QString& heading, const QString& grid_name, const QString& button_name,
                QWidget* parent);

  void Show(const Grid& grid);
  // Profile mode has no weapon details window.
  void RemoveDetailsButton();
  QWidget* DetailsButton() const;

 signals:
  void detailsClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* heading_;
  ImageButton* details_;
  GridTable* grid_;
};

}  // namespace mrv::ui
