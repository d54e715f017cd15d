// The stats viewer's profile mode: the games list and the profile view.
#include "views/stats_viewer.h"

namespace mrv {

ViewerChanges StatsViewer::OpenProfile() {
  profile_ = true;
  saved_ = true;
  overall_.visible = false;
  details_.visible = false;
  one_on_one_visible_ = false;
  team_totals_ = {};
  ListProfileGames();
  Mark(ViewerPart::kMenu | ViewerPart::kTeamTotals | ViewerPart::kOverall |
       ViewerPart::kWeaponDetails | ViewerPart::kOneOnOne);
  return TakeChanges();
}

void StatsViewer::ListProfileGames() {
  games_ = {{"<all games>", true}};
  // One pass names the games and reads their figures. A damaged game block costs the
  // progress only: the games are then listed as before, and the sums read when chosen.
  game_figures_.clear();
  progress_error_.clear();
  ProfileStore& profile_store = context_.profile_store;
  if (profile_store.ReadGameFigures(game_figures_)) {
    for (const GameFigures& game : game_figures_) games_.push_back({game.name, false});
  } else {
    progress_error_ = profile_store.LastError();
    std::vector<std::string> ids;
    if (!profile_store.ListGames(ids)) {
      error_message_ = profile_store.LastError();
      Mark(ViewerPart::kCloseRequest);
      return;
    }
    for (std::string& id : ids) games_.push_back({std::move(id), false});
  }
  SetGamesCountLine();
  ProfileView();
}

void StatsViewer::SetGamesCountLine() {
  const std::size_t n = games_.size() - 1;
  games_count_line_ = std::to_string(n) + (n == 1 ? " game listed" : " games listed");
  Mark(ViewerPart::kGamesList);
}

ViewerChanges StatsViewer::SelectGames(const std::vector<int>& entries) {
  if (!profile_) return {};
  for (ListEntry& entry : games_) entry.selected = false;
  for (const int entry : entries) {
    if (entry >= 0 && entry < static_cast<int>(games_.size())) {
      games_[static_cast<std::size_t>(entry)].selected = true;
    }
  }
  Mark(ViewerPart::kGamesList);
  ProfileView();
  return TakeChanges();
}

void StatsViewer::ProfileView() {
  LoadedProfile& loaded = context_.loaded_profile;
  StatsRecord stats = NewStatsRecord(context_.weapons.size());
  bool read = loaded.has_value();
  if (read) {
    loaded->stats.reset();
    std::vector<std::int32_t> numbers;
    for (std::size_t i = 1; i < games_.size(); ++i) {
      if (games_[i].selected) numbers.push_back(static_cast<std::int32_t>(i));
    }
    // Nothing selected sums no game: there is nothing to read.
    if (games_[0].selected) {
      read = context_.profile_store.ReadTotals(stats);
    } else if (!numbers.empty()) {
      read = context_.profile_store.ReadGames(numbers, stats);
    }
  }
  if (!read) {
    error_message_ = context_.profile_store.LastError();
    Mark(ViewerPart::kCloseRequest);
    return;
  }
  loaded->stats = stats;
  ShowTab(CentreTab::kHitsGiven);
  const std::vector<std::int64_t> kills(stats.kills.begin(), stats.kills.end());
  const std::vector<std::int64_t> deaths(stats.deaths.begin(), stats.deaths.end());
  FillWeaponGrid(kills_grid_, kills, context_.weapons);
  FillWeaponGrid(deaths_grid_, deaths, context_.weapons);
  shown_nickname_ = loaded->nicks.empty() ? std::string() : loaded->nicks.front();
  OwnTotals figures;
  figures.kills = SumOf(stats.kills);
  figures.deaths = SumOf(stats.deaths);
  figures.seconds = stats.time;
  figures.caps = stats.caps;
  figures.rets = stats.rets;
  figures.carrier_kills = stats.carrier_kills;
  figures.flags_taken = stats.flags_taken;
  panel_ = ProfilePlayerPanel(figures);
  your_stats_ = YourStatsOf(figures);
  Mark(ViewerPart::kWeaponGrids | ViewerPart::kPlayerPanel | ViewerPart::kYourStats);
  RebuildProgress();
}

void StatsViewer::RebuildProgress() {
  std::vector<const GameFigures*> shown;
  // Figures that did not match the list (they could not be read) show nothing.
  if (game_figures_.size() + 1 == games_.size()) {
    shown.reserve(game_figures_.size());
    // The list is newest first; the progress runs from the oldest game.
    for (std::size_t i = game_figures_.size(); i > 0; --i) {
      if (games_[0].selected || games_[i].selected) shown.push_back(&game_figures_[i - 1]);
    }
  }
  progress_ = ProgressOf(shown);
  Mark(ViewerPart::kProgress);
}

}  // namespace mrv
