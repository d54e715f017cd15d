// The stats viewer's secondary windows: the overall table, the weapon details and the
// one-on-one comparison. None of them exists in profile mode.
#include "views/stats_viewer.h"

namespace mrv {

DetailsSource StatsViewer::Source(const MapSelection& maps) const {
  return {maps, players_, context_.weapons};
}

void StatsViewer::FillDetails(bool kills, const Grid& grid, const std::string& nick) {
  details_.weapons = ListedWeapons(grid);
  details_.nickname = nick;
  details_.kills = kills;
  details_.title = kills ? "Kills' details" : "Deaths' details";
  details_.visible = true;
  details_.Fill(Source(SelectedMaps()));
  Mark(ViewerPart::kWeaponDetails);
}

ViewerChanges StatsViewer::OpenWeaponDetails(bool kills) {
  if (profile_) return {};
  FillDetails(kills, kills ? kills_grid_ : deaths_grid_, shown_nickname_);
  return TakeChanges();
}

ViewerChanges StatsViewer::ClickDetailsColumn(int column) {
  if (profile_) return {};
  details_.ClickColumn(column);
  Mark(ViewerPart::kWeaponDetails);
  return TakeChanges();
}

ViewerChanges StatsViewer::OpenOneOnOneDetails(int side, bool kills) {
  if (profile_ || side < 0 || side > 1) return {};
  const OneOnOneSide& shown = one_on_one_[static_cast<std::size_t>(side)];
  FillDetails(kills, kills ? shown.kills : shown.deaths, shown.nickname);
  details_.SelectNickname(one_on_one_[static_cast<std::size_t>(1 - side)].nickname);
  return TakeChanges();
}

ViewerChanges StatsViewer::ClickOverallColumn(int column) {
  if (profile_) return {};
  overall_.ClickColumn(column);
  Mark(ViewerPart::kOverall);
  return TakeChanges();
}

ViewerChanges StatsViewer::SelectOverallRow(int row) {
  if (profile_ || row < 0 || row >= static_cast<int>(overall_.rows().size())) return {};
  const int player = FindPlayer(overall_.rows()[static_cast<std::size_t>(row)].nickname);
  if (player >= 0) ShowPlayerRow(player, false);
  return TakeChanges();
}

ViewerChanges StatsViewer::HideWindow(ViewerWindow window) {
  switch (window) {
    case ViewerWindow::kOverall:
      overall_.visible = false;
      Mark(ViewerPart::kOverall);
      break;
    case ViewerWindow::kWeaponDetails:
      details_.visible = false;
      Mark(ViewerPart::kWeaponDetails);
      break;
    case ViewerWindow::kOneOnOne:
      one_on_one_visible_ = false;
      Mark(ViewerPart::kOneOnOne);
      break;
    case ViewerWindow::kProgress:
      progress_visible_ = false;
      Mark(ViewerPart::kProgress);
      break;
  }
  return TakeChanges();
}

void StatsViewer::Compare() {
  int first = -1;
  int second = -1;
  for (int row = 0; row < static_cast<int>(players_.size()) && second < 0; ++row) {
    if (!players_[static_cast<std::size_t>(row)].selected) continue;
    (first < 0 ? first : second) = row;
  }
  if (second < 0) {
    context_.prompt.Inform("\r\nSelect two players first!", "!");
    return;
  }
  for (const int side : {0, 1}) {
    const int row = side == 0 ? first : second;
    OneOnOneSide& filled = one_on_one_[static_cast<std::size_t>(side)];
    filled.nickname = players_[static_cast<std::size_t>(row)].nickname;
    filled.panel = ShowPlayer(PlayerStatsOf(row), context_.weapons, filled.kills, filled.deaths);
  }
  one_on_one_visible_ = true;
  Mark(ViewerPart::kOneOnOne);
}

}  // namespace mrv
