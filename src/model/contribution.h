// How one captured map adds to a player's summary, and the arithmetic on summaries
// that the profile files need.
#pragma once

#include "model/store.h"

namespace mrv {

// A map counts for its own player only when the player's nickname is among the map's
// nicknames and the map has a playing time.
bool MapContributes(const map_record& map);

// Adds the own player's figures of the map to the summary: location arrays, flag
// counts, time, kills per weapon (suicides excluded) and deaths per weapon (suicides
// included). False, with nothing added, when the map does not count.
bool AddMapContribution(const map_record& map, stats_record& summary);

// total += part and total -= part, field by field, saturating.
void AddStatsRecord(stats_record& total, const stats_record& part);
void SubtractStatsRecord(stats_record& total, const stats_record& part);

}  // namespace mrv
