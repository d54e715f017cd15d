#include "views/progress_series.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "model/text.h"

namespace mrv {

namespace {

constexpr std::size_t kHead = 0;
constexpr std::size_t kHelmet = 2;
static_assert(HitLocations[kHead] == "Head" && HitLocations[kHelmet] == "Helmet");

std::optional<double> PerMinute(std::int64_t count, std::int32_t seconds) {
  if (seconds <= 0) return std::nullopt;
  return static_cast<double>(count) * 60.0 / seconds;
}

// The measures of one game.
std::optional<double> KillsPerMinute(const GameFigures& game) {
  return PerMinute(game.kills, game.time);
}

std::optional<double> KillDeathRatio(const GameFigures& game) {
  return static_cast<double>(game.kills) /
         static_cast<double>(std::max<std::int64_t>(game.deaths, 1));
}

std::optional<double> HeadshotShare(const GameFigures& game) {
  const std::int64_t all = SumOf(game.hits);
  if (all <= 0) return std::nullopt;
  return 100.0 * (static_cast<double>(game.hits[kHead]) + game.hits[kHelmet]) /
         static_cast<double>(all);
}

std::optional<double> HitsPerMinute(const GameFigures& game) {
  return PerMinute(SumOf(game.hits), game.time);
}

std::optional<double> Captures(const GameFigures& game) {
  return game.caps;
}

std::optional<double> CarriersKilled(const GameFigures& game) {
  return game.carrier_kills;
}

std::optional<double> Minutes(const GameFigures& game) {
  if (game.time <= 0) return std::nullopt;
  return game.time / 60.0;
}

// The measure of every game, in the games' order.
ProgressValues ValuesOf(std::span<const GameFigures* const> games,
                        std::optional<double> (*measure)(const GameFigures&)) {
  ProgressValues values;
  values.reserve(games.size());
  for (const GameFigures* game : games) values.push_back(measure(*game));
  return values;
}

ProgressChart WithAverage(std::string title, std::string caption, ProgressValues values) {
  ProgressValues average = MovingAverage(values);
  ProgressChart chart{std::move(title), ProgressFormat::kRatio, {}};
  chart.lines.push_back({std::move(caption), std::move(values), false});
  chart.lines.push_back(
      {std::to_string(kMovingAverageGames) + "-game average", std::move(average), true});
  return chart;
}

int DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
  int number = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!IsAsciiDigit(text[i])) return -1;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

}  // namespace

std::optional<std::string> GameDate(std::string_view name) {
  if (name.size() < 10 || name[4] != '-' || name[7] != '-') return std::nullopt;
  if (name.size() > 10 && name[10] != ' ') return std::nullopt;
  const int year = DigitsAt(name, 0, 4);
  const int month = DigitsAt(name, 5, 2);
  const int day = DigitsAt(name, 8, 2);
  if (year < 0 || month < 0 || day < 0) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return std::string(name.substr(0, 10));
}

ProgressValues MovingAverage(const ProgressValues& values, int games) {
  ProgressValues average(values.size());
  const std::size_t window = static_cast<std::size_t>(std::max(games, 1));
  for (std::size_t i = 0; i < values.size(); ++i) {
    double sum = 0;
    int counted = 0;
    for (std::size_t j = i + 1 > window ? i + 1 - window : 0; j <= i; ++j) {
      if (!values[j]) continue;
      sum += *values[j];
      ++counted;
    }
    if (counted > 0) average[i] = sum / counted;
  }
  return average;
}

Progress ProgressOf(std::span<const GameFigures* const> oldest_first) {
  Progress progress;
  progress.games.reserve(oldest_first.size());
  for (const GameFigures* game : oldest_first) {
    std::optional<std::string> date = GameDate(game->name);
    progress.games.push_back(
        {game->name, date ? std::move(*date) : "#" + std::to_string(progress.games.size() + 1)});
  }
  // In the order of ProgressChartId.
  progress.charts.push_back(
      WithAverage("Kills per minute", "Kills per minute", ValuesOf(oldest_first, KillsPerMinute)));
  progress.charts.push_back(
      WithAverage("Kill/death ratio", "K/D", ValuesOf(oldest_first, KillDeathRatio)));
  progress.charts.push_back({"Headshot share (% of hits given)",
                             ProgressFormat::kPercent,
                             {{"Headshots", ValuesOf(oldest_first, HeadshotShare)}}});
  progress.charts.push_back({"Hits given per minute",
                             ProgressFormat::kRatio,
                             {{"Hits per minute", ValuesOf(oldest_first, HitsPerMinute)}}});
  progress.charts.push_back({"Flags per game",
                             ProgressFormat::kCount,
                             {{"Captures", ValuesOf(oldest_first, Captures)},
                              {"Carriers killed", ValuesOf(oldest_first, CarriersKilled)}}});
  progress.charts.push_back({"Time per game (minutes)",
                             ProgressFormat::kMinutes,
                             {{"Time", ValuesOf(oldest_first, Minutes)}}});
  return progress;
}

std::string ProgressValueText(double value, ProgressFormat format) {
  switch (format) {
    case ProgressFormat::kPercent:
      return FormatRatio(value) + "%";
    case ProgressFormat::kCount:
      return std::to_string(std::llround(value));
    case ProgressFormat::kMinutes:
      return FormatSeconds(std::llround(value * 60.0));
    case ProgressFormat::kRatio:
      break;
  }
  return FormatRatio(value);
}

std::string ProgressPointText(const Progress& progress, ProgressChartId id, std::size_t game) {
  const ProgressChart& chart = progress.chart(id);
  std::string text = progress.games[game].name + ":";
  for (std::size_t i = 0; i < chart.lines.size(); ++i) {
    const std::optional<double>& value = chart.lines[i].values[game];
    text += (i == 0 ? " " : ", ") + chart.lines[i].caption + " " +
            (value ? ProgressValueText(*value, chart.format) : std::string("none"));
  }
  return text;
}

}  // namespace mrv
