#include "support/generated_profile.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "files/profile_format.h"
#include "model/contribution.h"
#include "support/paths.h"

namespace mrv::test {

namespace {

struct Game {
  std::string id;
  StatsRecord stats;
};

std::string GameName(int index, int& evening, int& in_evening, std::mt19937& random) {
  // Two or three games an evening, an evening every day or two.
  if (in_evening >= 2 + static_cast<int>(random() % 2)) {
    evening += 1 + static_cast<int>(random() % 2);
    in_evening = 0;
  }
  const int minutes = 20 * 60 + in_evening++ * 35;
  if (index % 29 == 28) return "scrim " + std::to_string(index / 29 + 1);
  const std::chrono::year_month_day day{
      std::chrono::sys_days(std::chrono::year(2023) / std::chrono::January / 2) +
      std::chrono::days(evening)};
  char name[32];
  std::snprintf(name, sizeof name, "%04d-%02u-%02u %02d:%02d", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()), minutes / 60,
                minutes % 60);
  return name;
}

StatsRecord GameStats(double skill, int game, int weapon_count, std::mt19937& random) {
  std::uniform_real_distribution<double> noise(0.75, 1.25);
  StatsRecord stats = NewStatsRecord(weapon_count);
  stats.time = 600 + static_cast<std::int32_t>(random() % 1500);
  const double minutes = stats.time / 60.0;
  const auto kills = static_cast<std::int32_t>(std::lround(skill * minutes * noise(random)));
  const auto deaths = static_cast<std::int32_t>(
      std::lround(kills / ((0.6 + 0.5 * skill) * noise(random))) + random() % 3);
  // Rifles mostly, a pistol or a grenade now and then.
  const int used = std::min(weapon_count, 6);
  for (std::int32_t k = 0; k < kills; ++k) ++stats.kills[random() % (k % 4 == 0 ? used : 2)];
  for (std::int32_t d = 0; d < deaths; ++d) ++stats.deaths[random() % used];
  const auto hits = static_cast<std::int32_t>(kills * 3 * noise(random)) + 1;
  const double headshots = (0.08 + 0.08 * skill) * noise(random);
  for (std::int32_t h = 0; h < hits; ++h) {
    const double roll = std::uniform_real_distribution<double>(0, 1)(random);
    const std::size_t location =
        roll < headshots ? (h % 3 == 0 ? 2 : 0) : 3 + random() % (kHitLocationCount - 3);
    ++stats.hits[location];
    ++stats.hits_taken[random() % kHitLocationCount];
  }
  for (std::int32_t k = 0; k < kills; ++k) ++stats.killing_hits[random() % kHitLocationCount];
  for (std::int32_t d = 0; d < deaths; ++d) ++stats.last_hits_taken[random() % kHitLocationCount];
  if (game % 3 == 0) {
    stats.caps = static_cast<std::int32_t>(random() % 4);
    stats.flags_taken = stats.caps + static_cast<std::int32_t>(random() % 3);
    stats.rets = static_cast<std::int32_t>(random() % 3);
    stats.carrier_kills = static_cast<std::int32_t>(random() % 4);
  }
  return stats;
}

void AppendGame(std::string& out, int number, const Game& game) {
  AppendLine(out, "GAME=" + std::to_string(number) + "=" + game.id);
  AppendStatsLines(out, game.stats);
  AppendLine(out, kEndGameMarker);
}

}  // namespace

void WriteGeneratedProfile(const std::filesystem::path& file, int games, int weapon_count,
                           std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<Game> played;  // the oldest first
  played.reserve(static_cast<std::size_t>(games));
  StatsRecord totals = NewStatsRecord(weapon_count);
  int evening = 0;
  int in_evening = 0;
  for (int i = 0; i < games; ++i) {
    // Better by half over the games, with good and bad weeks.
    const double skill = 0.8 + 0.5 * i / std::max(games, 1) + 0.15 * std::sin(i / 11.0);
    Game game{GameName(i, evening, in_evening, random), GameStats(skill, i, weapon_count, random)};
    AddStatsRecord(totals, game.stats);
    played.push_back(std::move(game));
  }
  std::string content;
  AppendHeader(content, {"Generated games"}, {"Morv"});
  if (games > 0) {
    AppendLine(content, kTotalsMarker);
    AppendLine(content, "GAMES=" + std::to_string(games));
    AppendStatsLines(content, totals);
    AppendLine(content, "FIRSTGAME=" + played.front().id);
    AppendLine(content, "LASTGAME=" + played.back().id);
    AppendLine(content, kEndTotalsMarker);
    AppendLine(content, kGamesMarker);
    for (int number = 1; number <= games; ++number) {
      AppendGame(content, number, played[static_cast<std::size_t>(games - number)]);
    }
  }
  WriteFileBytes(file, content);
}

}  // namespace mrv::test
