#include "capture/live_figures.h"

#include "model/text.h"

namespace mrv {

LiveFigures LiveFiguresOf(const MapRecord& map) {
  LiveFigures figures;
  // "<map1>" and the like stand in for a map the game has not named yet.
  if (!map.name.starts_with('<')) figures.map = map.name;
  if (map.own_nick != AbsentMark) figures.nickname = map.own_nick;
  figures.kills = map.own_kills;
  figures.deaths = map.own_deaths;
  for (const std::int32_t hits : map.hits) figures.hits_given += hits;
  return figures;
}

std::optional<LiveFigures> LiveFiguresThrottle::Take(const MapRecord& map, std::uint64_t now_ms) {
  if (last_report_ms_ && now_ms - *last_report_ms_ < kPeriodMs) return std::nullopt;
  LiveFigures figures = LiveFiguresOf(map);
  if (last_report_ms_ && figures == last_) return std::nullopt;
  last_report_ms_ = now_ms;
  last_ = figures;
  return figures;
}

}  // namespace mrv
