// One game of a profile in the few figures its progress is drawn from: what a viewer
// keeps per game, so that a profile of 10,000 games is read once and stays small.
#pragma once

#include <cstdint>
#include <string>

#include "model/body.h"
#include "model/stats_store.h"

namespace mrv {

struct GameFigures {
  std::string name;        // the game's GameId
  LocationCounts hits{};   // hits given, by location
  std::int64_t kills = 0;  // over every weapon, hidden causes included
  std::int64_t deaths = 0;
  std::int32_t caps = 0;
  std::int32_t rets = 0;
  std::int32_t flags_taken = 0;
  std::int32_t carrier_kills = 0;
  std::int32_t time = 0;  // seconds; 0 when not known

  bool operator==(const GameFigures&) const = default;
};

// The figures of a game block read into `stats`.
GameFigures FiguresOf(std::string name, const StatsRecord& stats);

}  // namespace mrv
