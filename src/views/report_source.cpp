// What the report reads from the stats viewer: the texts and grids it shows now, the
// hit counts summed again for its selection, and the profile's games list.
#include <algorithm>

#include "views/html_report.h"

namespace mrv {

namespace {

ProfileSummary SummaryOf(const std::vector<ListEntry>& games, const LoadedProfile& loaded) {
  ProfileSummary summary;
  if (loaded && loaded->stats) summary.seconds = loaded->stats->time;
  if (games.size() <= 1) return summary;  // no game: nothing to name
  if (games[0].selected) {
    summary.games = games.size() - 1;
    summary.first_game = games.back().caption;
    summary.last_game = games[1].caption;
    return summary;
  }
  // The list is newest first: the oldest selected game is the lowest one.
  for (std::size_t i = 1; i < games.size(); ++i) {
    if (!games[i].selected) continue;
    if (summary.games++ == 0) summary.last_game = games[i].caption;
    summary.first_game = games[i].caption;
  }
  return summary;
}

}  // namespace

bool ReportCanShowWeapons(const StatsViewer& viewer) {
  if (viewer.profile_mode()) return true;
  const PlayerList& players = viewer.players();
  return std::any_of(players.begin(), players.end(),
                     [](const PlayerEntry& player) { return player.selected; });
}

ReportSource ReportSourceOf(const StatsViewer& viewer, const LoadedProfile& loaded) {
  ReportSource source;
  source.profile = viewer.profile_mode();
  source.nickname = viewer.shown_nickname();
  source.labels = viewer.your_stats();
  source.overall_columns = viewer.overall().columns();
  source.overall_rows = viewer.overall().rows();
  for (int k = 0; k < kHitKindCount; ++k) {
    source.hits[static_cast<std::size_t>(k)] = viewer.HitCounts(static_cast<HitKind>(k));
  }
  source.hits_grid_rows = viewer.hits_grid().size();
  source.kills_grid = viewer.kills_grid();
  source.deaths_grid = viewer.deaths_grid();
  if (source.profile) {
    source.summary = SummaryOf(viewer.games(), loaded);
    source.progress = viewer.progress();
  }
  return source;
}

}  // namespace mrv
