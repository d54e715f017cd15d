// Adding a captured game to the open profile, telling the user how it went.
#pragma once

#include <string>

#include "files/profile_store.h"
#include "files/prompt.h"
#include "model/stats_store.h"

namespace mrv {

// Adds the maps of the store that carry the own player's time to the open profile
// under the name `game_id`; every map without it is reported and skipped. True when
// the game was added. The profile stays locked against other programs from the
// reading of its totals to the writing of the game.
bool AddGameToProfile(const StatsStore& store, const std::string& game_id, ProfileStore& profile_store,
                      Prompt& prompt);

}  // namespace mrv
