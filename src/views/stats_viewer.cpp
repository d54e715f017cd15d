// The stats viewer's game mode: opening, the refresh, the map and player lists and the
// hits panel.
#include "views/stats_viewer.h"

#include <algorithm>
#include <utility>

#include "files/saved_game.h"
#include "model/text.h"

namespace mrv {

StatsViewer::StatsViewer(ViewerContext context, ViewerHooks hooks)
    : context_(std::move(context)),
      hooks_(std::move(hooks)),
      last_game_(CurrentGameName()),
      kills_grid_(static_cast<std::size_t>(WeaponGridRows(context_.weapons))),
      deaths_grid_(kills_grid_.size()),
      hits_grid_(kHitsGridRows) {
  for (OneOnOneSide& side : one_on_one_) side.kills = side.deaths = Grid(kills_grid_.size());
}

ViewerChanges StatsViewer::TakeChanges() {
  return std::exchange(changes_, {});
}

ViewerChanges StatsViewer::OpenGame(bool monitor, const std::optional<std::string>& game_name,
                                    bool never_saved) {
  monitor_ = monitor;
  profile_ = false;
  if (game_name) last_game_ = *game_name;
  // What only memory holds would be lost unasked.
  saved_ = !(monitor && never_saved);
  figures_ = FiguresOf(context_.store);
  RebuildMapList();
  RefreshOverview();
  Mark(ViewerPart::kMenu | ViewerPart::kYourStats);
  return TakeChanges();
}

void StatsViewer::RebuildMapList() {
  maps_.clear();
  maps_.push_back({"all maps", true});
  for (const auto& map : context_.store.maps) maps_.push_back({map->name, false});
  Mark(ViewerPart::kMapList);
}

MapSelection StatsViewer::SelectedMaps() const {
  MapSelection maps;
  if (profile_ || maps_.empty()) return maps;
  const bool all = maps_[0].selected;
  for (std::size_t i = 0; i < figures_.size() && i + 1 < maps_.size(); ++i) {
    if (all || maps_[i + 1].selected) maps.push_back(&figures_[i]);
  }
  return maps;
}

void StatsViewer::RefreshOverview() {
  const MapSelection maps = SelectedMaps();
  ShowTab(CentreTab::kHitsGiven);
  ClearCells(kills_grid_);
  ClearCells(deaths_grid_);
  merged_ = CollectPlayers(maps, context_.weapons.size());
  players_.clear();
  players_.reserve(merged_.size());
  for (const MergedPlayer& player : merged_) {
    players_.push_back({player.nick, MarkOfMergedTeam(player.team), false});
  }
  shown_nickname_.clear();
  panel_ = BarePlayerPanel();
  your_stats_ = YourStatsOf(CollectOwnTotals(maps));
  team_totals_ = TeamTotalLabelsOf(CollectTeamTotals(maps));
  overall_.Fill(merged_);
  Mark(ViewerPart::kWeaponGrids | ViewerPart::kPlayerList | ViewerPart::kPlayerPanel |
       ViewerPart::kYourStats | ViewerPart::kTeamTotals | ViewerPart::kOverall);
}

ViewerChanges StatsViewer::ClickMap(int row, bool ctrl) {
  if (profile_ || row < 0 || row >= static_cast<int>(maps_.size())) return {};
  if (details_.visible) {
    details_.visible = false;
    Mark(ViewerPart::kWeaponDetails);
  }
  ListEntry& clicked = maps_[static_cast<std::size_t>(row)];
  if (clicked.selected && ctrl) {
    clicked.selected = false;
  } else {
    clicked.selected = true;
    if (!ctrl) {
      for (ListEntry& entry : maps_) entry.selected = &entry == &clicked;
    }
  }
  Mark(ViewerPart::kMapList);
  RefreshOverview();
  return TakeChanges();
}

ViewerChanges StatsViewer::ClickPlayer(int row, bool ctrl) {
  if (profile_ || row < 0 || row >= static_cast<int>(players_.size())) return {};
  ShowPlayerRow(row, ctrl);
  return TakeChanges();
}

void StatsViewer::ShowPlayerRow(int row, bool ctrl) {
  PlayerEntry& clicked = players_[static_cast<std::size_t>(row)];
  if (clicked.selected && ctrl) {
    clicked.selected = false;  // the shown figures stay those of the player shown before
  } else {
    clicked.selected = true;
    shown_nickname_ = clicked.nickname;
    panel_ = ShowPlayer(merged_[static_cast<std::size_t>(row)].stats, context_.weapons, kills_grid_,
                        deaths_grid_);
    if (!ctrl) {
      for (PlayerEntry& entry : players_) entry.selected = &entry == &clicked;
    }
    Mark(ViewerPart::kPlayerPanel | ViewerPart::kWeaponGrids);
  }
  Mark(ViewerPart::kPlayerList);
  ShowTab(CentreTab::kKillsAndDeaths);
  if (details_.visible) {
    FillDetails(details_.kills, details_.kills ? kills_grid_ : deaths_grid_, shown_nickname_);
  }
}

int StatsViewer::FindPlayer(const std::string& nick) const {
  for (std::size_t i = 0; i < players_.size(); ++i) {
    if (EqualsIgnoreCase(players_[i].nickname, nick)) return static_cast<int>(i);
  }
  return -1;
}

const PlayerStats& StatsViewer::PlayerStatsOf(int row) const {
  return merged_[static_cast<std::size_t>(row)].stats;
}

ViewerChanges StatsViewer::PressTab(CentreTab tab) {
  ShowTab(tab);
  return TakeChanges();
}

ViewerChanges StatsViewer::PressDecidingHits() {
  deciding_hits_ = !deciding_hits_;
  Mark(ViewerPart::kTab);
  if (tab_ != CentreTab::kKillsAndDeaths) RedrawHits();
  return TakeChanges();
}

void StatsViewer::ShowTab(CentreTab tab) {
  tab_ = tab;
  Mark(ViewerPart::kTab);
  if (tab != CentreTab::kKillsAndDeaths) RedrawHits();
}

void StatsViewer::RedrawHits() {
  const bool given = tab_ == CentreTab::kHitsGiven;
  const HitKind kind = deciding_hits_ ? (given ? HitKind::kDeathHits : HitKind::kDeathHitsTaken)
                                      : (given ? HitKind::kHits : HitKind::kHitsTaken);
  const LocationTotals counts = HitCounts(kind);
  FillHitsGrid(hits_grid_, counts);
  // A log knows no own nickname: only the profile chosen before parsing it tells whose
  // kills and deaths decide, so without one the body stays empty.
  const bool none = std::all_of(counts.begin(), counts.end(), [](std::int64_t n) { return n == 0; });
  hits_note_ = deciding_hits_ && !profile_ && !monitor_ && none ? kNoDecidingHitsInALog : "";
  Mark(ViewerPart::kHitsPanel);
}

LocationTotals StatsViewer::HitCounts(HitKind kind) const {
  auto field = [kind](const auto& record) -> const LocationCounts& {
    switch (kind) {
      case HitKind::kHits:
        return record.hits;
      case HitKind::kHitsTaken:
        return record.hits_taken;
      case HitKind::kDeathHits:
        return record.killing_hits;
      case HitKind::kDeathHitsTaken:
        break;
    }
    return record.last_hits_taken;
  };
  LocationTotals totals{};
  auto add = [&totals](const LocationCounts& counts) {
    for (std::size_t i = 0; i < totals.size(); ++i) totals[i] += counts[i];
  };
  if (profile_) {
    if (context_.loaded_profile && context_.loaded_profile->stats) {
      add(field(*context_.loaded_profile->stats));
    }
  } else {
    for (const MapFigures* map : SelectedMaps()) add(field(map->map()));
  }
  return totals;
}

ViewerMenu StatsViewer::menu() const {
  MenuMode mode{profile_, monitor_, last_game_, nullptr};
  if (context_.loaded_profile) mode.loaded_profile = &context_.loaded_profile->name;
  return BuildViewerMenu(mode);
}

}  // namespace mrv
