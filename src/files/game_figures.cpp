#include "files/game_figures.h"

namespace mrv {

GameFigures FiguresOf(std::string name, const StatsRecord& stats) {
  GameFigures game;
  game.name = std::move(name);
  game.hits = stats.hits;
  game.kills = SumOf(stats.kills);
  game.deaths = SumOf(stats.deaths);
  game.caps = stats.caps;
  game.rets = stats.rets;
  game.flags_taken = stats.flags_taken;
  game.carrier_kills = stats.carrier_kills;
  game.time = stats.time;
  return game;
}

}  // namespace mrv
