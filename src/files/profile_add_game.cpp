#include "files/profile_add_game.h"

#include "model/contribution.h"

namespace mrv {

bool AddGameToProfile(const StatsStore& store, const std::string& game_id, ProfileStore& profile_store,
                      Prompt& prompt) {
  if (store.empty()) {
    prompt.Inform("\r\nNothing to be added!", "!");
    return false;
  }
  // The totals read here are still the profile's when the game is written.
  const ProfileLockScope lock(profile_store);
  if (!lock.locked()) {
    prompt.Inform(profile_store.LastError(), "ERROR!");
    return false;
  }
  StatsRecord totals;
  if (!profile_store.ReadTotals(totals)) {
    prompt.Inform("\r\nCould not add game!", "ERROR!");
    return false;
  }
  StatsRecord game = NewStatsRecord(profile_store.weapon_count());
  int counted = 0;
  for (const auto& map : store.maps) {
    if (AddMapContribution(*map, game)) {
      ++counted;
    } else {
      prompt.Inform("The map " + map->name + " won't be added!" + "\r\n\r\n" +
                        "Only maps with time information can be added!",
                    "!");
    }
  }
  if (counted == 0) return false;
  if (!profile_store.AddGame(game, totals, game_id)) {
    prompt.Inform("\r\nCould not add game!", "ERROR!");
    return false;
  }
  prompt.Inform("\r\nGame at " + game_id + " added successfully!", "Game added");
  return true;
}

}  // namespace mrv
