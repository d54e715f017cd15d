// The centre of the stats viewer: the three tab buttons over either the hits panel (the
// hits grid, the deciding-hits toggle and the body map) or the two weapon grids with
// their details buttons (weapon_grid_panel.h). It shows what the document
// holds and tells the viewer which button was pressed. Made larger than kSize, the
// weapon grids take the room; the hits panel keeps its size.
#pragma once

#include <QWidget>
#include <array>

#include "views/stats_viewer.h"

class QLabel;

namespace mrv::ui {

class BodyMapView;
class GridTable;
class ImageButton;
class WeaponGridPanel;

class ViewerCentre : public QWidget {
  Q_OBJECT

 public:
  // The smallest size.
  static constexpr QSize kSize{411, 490};

  explicit ViewerCentre(QWidget* parent);

  // Which tab is on, the toggle's state, and the page the tab uncovers.
  void ShowTab(CentreTab tab, bool deciding_hits);
  // The hits grid, and the body map drawn from it.
  void ShowHits(const Grid& hits_grid);
  // Over the body map, why it is empty; hidden when `note` is empty.
  void ShowHitsNote(const QString& note);
  void ShowWeaponGrids(const Grid& kills, const Grid& deaths);
  // Profile mode has no weapon details window, so no details buttons.
  void RemoveDetailsButtons();

 signals:
  void tabPressed(CentreTab tab);
  void decidingHitsPressed();
  void detailsClicked(bool kills);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<ImageButton*, 3> tabs_;
  QWidget* hits_page_;
  QWidget* weapons_page_;
  GridTable* hits_grid_;
  ImageButton* deciding_;
  QLabel* deciding_caption_;
  BodyMapView* body_map_;
  QLabel* hits_note_;
  WeaponGridPanel* kills_;
  WeaponGridPanel* deaths_;
};

}  // namespace mrv::ui
