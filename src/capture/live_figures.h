// What a running console monitor shows of the map being played: its name, the own
// nickname once the game told it, and the own kills, deaths and hits given there. The
// run takes a copy on its own thread and hands it on, so nothing of the store is ever
// shared with a front end, and no lock is taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/stats_store.h"

namespace mrv {

struct LiveFigures {
  std::string map;       // empty until the game has named the map
  std::string nickname;  // empty until the game has named the player
  std::int64_t kills = 0, deaths = 0, hits_given = 0;
  bool operator==(const LiveFigures&) const = default;
};

LiveFigures LiveFiguresOf(const MapRecord& map);

// Lets the figures through when they changed, at most once per period: a burst of
// lines gives one report, and the last change is reported at the first look after its
// period, so the front end is never left behind.
class LiveFiguresThrottle {
 public:
  static constexpr std::uint64_t kPeriodMs = 500;  // at most twice a second

  // The figures to report at this moment, if any; a copy is taken only once a period
  // has passed.
  std::optional<LiveFigures> Take(const MapRecord& map, std::uint64_t now_ms);

 private:
  std::optional<std::uint64_t> last_report_ms_;
  LiveFigures last_;
};

}  // namespace mrv
