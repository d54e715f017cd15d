// How one captured map adds to a player's summary, and the arithmetic on summaries
// that the profile files need.
#pragma once

#include "model/stats_store.h"

namespace mrv {

// A map counts for its own player only when the player's nickname is among the map's
// nicknames and the map has a playing time.
bool MapContributes(const MapRecord& map);

// Adds the own player's figures of the map to the summary: location arrays, flag
// counts, time, kills per weapon (suicides excluded) and deaths per weapon (suicides
// included). False, with nothing added, when the map does not count.
bool AddMapContribution(const MapRecord& map, StatsRecord& summary);

// total += part and total -= part, field by field, saturating.
void AddStatsRecord(StatsRecord& total, const StatsRecord& part);
void SubtractStatsRecord(StatsRecord& total, const StatsRecord& part);

}  // namespace mrv
