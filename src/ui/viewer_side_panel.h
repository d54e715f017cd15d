// The stats viewer's middle column: the legend with the four flags and the team totals
// beside it (game mode only), the "Your stats:" block with its nine lines (hidden for a
// parsed log) and the player panel (player_panel_view.h).
#pragma once

#include <QWidget>
#include <array>

#include "views/viewer_labels.h"

class QFrame;
class QLabel;

namespace mrv::ui {

class PlayerPanelView;

class ViewerSidePanel : public QWidget {
  Q_OBJECT

 public:
  explicit ViewerSidePanel(QWidget* parent);

  void ShowYourStats(const YourStats& stats, bool visible);
  void ShowTeamTotals(const TeamTotalLabels& totals);
  void ShowPlayer(const std::string& nickname, const PlayerPanel& panel);
  // Profile mode removes the legend and the team totals; the blocks below move up.
  void RemoveLegend();

 private:
  void PlaceBlocks(int top);

  QWidget* legend_;
  QWidget* team_totals_;
  std::array<QLabel*, 6> team_labels_;
  QFrame* your_stats_;
  std::array<QLabel*, 9> your_labels_;
  QFrame* player_frame_;
  PlayerPanelView* player_;
};

}  // namespace mrv::ui
