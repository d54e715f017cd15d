#include "files/profile_add_game.h"

#include "model/contribution.h"

namespace mrv {

bool AddGameToProfile(const Database& database, const std::string& game_id, TProfiler& profiler,
                      Prompt& prompt) {
  if (database.empty()) {
    prompt.Inform("\r\nNothing to be added!", "!");
    return false;
  }
  // The totals read here are still the profile's when the game is written.
  const ProfileLockScope lock(profiler);
  if (!lock.locked()) {
    prompt.Inform(profiler.LastError(), "ERROR!");
    return false;
  }
  stats_record totals;
  if (!profiler.ReadTotals(totals)) {
    prompt.Inform("\r\nCould not add game!", "ERROR!");
    return false;
  }
  stats_record game = NewStatsRecord(profiler.weapon_count());
  int counted = 0;
  for (const auto& map : database.maps) {
    if (AddMapContribution(*map, game)) {
      ++counted;
    } else {
      prompt.Inform("The map " + map->name + " won't be added!" + "\r\n\r\n" +
                        "Only maps with time information can be added!",
                    "!");
    }
  }
  if (counted == 0) return false;
  if (!profiler.AddGame(game, totals, game_id)) {
    prompt.Inform("\r\nCould not add game!", "ERROR!");
    return false;
  }
  prompt.Inform("\r\nGame at " + game_id + " added successfully!", "Game added");
  return true;
}

}  // namespace mrv
