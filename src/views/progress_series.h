// A profile's progress over its games: one point per game, in the order the games were
// added (the profile file keeps the newest first), for the six charts the viewer's
// Progress window, the HTML report and `morvane-cli profile show --json` share.
// Plain computation on the figures read once per game (GameFigures); nothing here draws.
//
// The measures of a game with kills K, deaths D, seconds played T and hits given H
// (head and helmet among them):
//   kills per minute    K / (T / 60); none without time
//   kill/death ratio    K / D; a game without a death counts K / 1, as a scoreboard does
//   headshot share      (head + helmet) / H, in percent; none without a hit given
//   hits per minute     H / (T / 60); none without time
//   flags               captures and flag carriers killed, per game
//   time per game       T in minutes; none when the game has no time
// Kills per minute and the ratio carry a moving average over 5 games: at each game, the
// mean of the values among that game and the four before it (fewer at the start), none
// when none of them has a value.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/game_figures.h"

namespace mrv {

inline constexpr int kMovingAverageGames = 5;

// How a chart's values read.
enum class ProgressFormat {
  kRatio,    // FormatRatio: "1.25"
  kPercent,  // FormatRatio and "%"
  kCount,    // a whole number
  kMinutes,  // minutes, read as FormatSeconds: "12:30s"
};

using ProgressValues = std::vector<std::optional<double>>;

struct ProgressLine {
  std::string caption;    // "Kills per minute", "5-game average", "Flag captures"
  ProgressValues values;  // one per game, oldest first
  bool trend = false;     // a moving average, drawn over the games' own line
};

struct ProgressChart {
  std::string title;
  ProgressFormat format = ProgressFormat::kRatio;
  std::vector<ProgressLine> lines;  // the measure first, then its average or a second one
};

// The charts, in this order.
enum class ProgressChartId {
  kKillsPerMinute,
  kKillDeathRatio,
  kHeadshotShare,
  kHitsPerMinute,
  kFlags,
  kTimePerGame,
};
inline constexpr std::size_t kProgressChartCount = 6;

struct ProgressGame {
  std::string name;        // the game's GameId
  std::string axis_label;  // its date ("2024-05-01") when its name reads as one, else "#n"
};

struct Progress {
  std::vector<ProgressGame> games;    // oldest first
  std::vector<ProgressChart> charts;  // kProgressChartCount, by ProgressChartId
  const ProgressChart& chart(ProgressChartId id) const {
    return charts[static_cast<std::size_t>(id)];
  }
};

// The progress over these games, given oldest first; game n of the axis counts from 1.
Progress ProgressOf(std::span<const GameFigures* const> oldest_first);

// The date a game's name starts with: "yyyy-mm-dd" that is a real day, followed by the
// end of the name or a blank (a fresh capture's "2024-05-01 21:07").
std::optional<std::string> GameDate(std::string_view name);

// The mean of the values among each game and the `games` - 1 before it.
ProgressValues MovingAverage(const ProgressValues& values, int games = kMovingAverageGames);

// A value as its chart reads it, for the point under the pointer.
std::string ProgressValueText(double value, ProgressFormat format);
// The game's name and each of the chart's lines at that game: "2024-05-01 21:07: Kills
// per minute 1.25, 5-game average 1.1"; a line without a value there says "none".
std::string ProgressPointText(const Progress& progress, ProgressChartId chart, std::size_t game);

}  // namespace mrv
