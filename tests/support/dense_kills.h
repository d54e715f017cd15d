// The kill table as the store kept it before it held only the kills that happened:
// players x weapons x players counts, laid out anew with room to spare as nicknames
// come, and the saved game's kill lines written from it. The oracle that the store's
// kill cells are compared with, through the saved game's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "model/stats_store.h"

namespace mrv::test {

class DenseKills {
 public:
  explicit DenseKills(int weapon_count) : weapons_(static_cast<std::size_t>(weapon_count)) {}
  // The count, the table grown first to hold `nicks` nicknames.
  std::int32_t& at(int killer, int weapon, int victim, int nicks);
  // The kill lines of a map of `nicks` nicknames (at least as many as the table holds).
  std::vector<std::string> Lines(int nicks) const;

 private:
  std::size_t Offset(std::size_t k, std::size_t w, std::size_t v) const {
    return (k * weapons_ + w) * slots_ + v;
  }

  std::size_t weapons_;
  std::size_t slots_ = 0;
  std::vector<std::int32_t> table_;
};

// The kill lines of each map of a saved game's text, in map order.
std::vector<std::vector<std::string>> KillLinesOf(std::string_view game_text, int weapon_count);

// A log read as the log-file run reads it, the player "Morv" named as the profile;
// every kill the store counts is counted again in a DenseKills of its map, from the
// line itself.
struct OracleRun {
  std::string game_text;                             // the store's saved game
  std::vector<std::vector<std::string>> kill_lines;  // the oracle's, per map
  bool consistent = true;                            // every counted kill was found in its line
};
OracleRun RunWithOracle(std::string_view log, const WeaponTable& weapons,
                        const DeathTemplates& templates, const GameTexts& texts);

}  // namespace mrv::test
