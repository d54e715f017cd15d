#include "cli/report_text.h"

#include <algorithm>
#include <charconv>
#include <iomanip>
#include <string>
#include <string_view>

#include "cli/console_prompt.h"
#include "model/text.h"
#include "views/player_stats.h"

namespace mrv::cli {

namespace {

// Fields padded as std::setw pads them, never cut; the table is gathered in one string and
// written at once, which costs far less than a stream's formatting on reports of
// thousands of maps.
void Left(std::string& row, std::string_view text, std::size_t width) {
  row += text;
  if (text.size() < width) row.append(width - text.size(), ' ');
}

void Right(std::string& row, std::string_view text, std::size_t width) {
  if (text.size() < width) row.append(width - text.size(), ' ');
  row += text;
}

void Right(std::string& row, std::int64_t value, std::size_t width) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  Right(row, std::string_view(digits, static_cast<std::size_t>(end - digits)), width);
}

void PrintPlayers(std::ostream& out, const Section& section) {
  if (section.players.empty()) {
    out << "  No players.\n";
    return;
  }
  std::size_t width = 6;
  for (const auto& p : section.players) width = std::max(width, p.nick.size());
  std::string row = "  ";
  Left(row, "Player", width);
  row += "  Team   Kills  Deaths  K/D         Caps  Rets  Taken  FCK\n";
  for (const auto& p : section.players) {
    row += "  ";
    Left(row, TerminalText(p.nick), width);
    row += "  ";
    Left(row, TeamName(p.team), 5);
    Right(row, p.kills, 7);
    Right(row, p.deaths, 8);
    row += "  ";
    Left(row, KillDeathText(p.kills, p.deaths), 10);
    Right(row, p.caps, 6);
    Right(row, p.rets, 6);
    Right(row, p.ft, 7);
    Right(row, p.fck, 5);
    row += '\n';
  }
  out << row;
}

void PrintTeams(std::ostream& out, const Section& s) {
  if (s.blue_caps == 0 && s.red_caps == 0 && s.blue_rets == 0 && s.red_rets == 0 &&
      s.blue_ft == 0 && s.red_ft == 0) {
    return;
  }
  out << "  Blue team: " << s.blue_caps << " caps, " << s.blue_rets << " returns, " << s.blue_ft
      << " flags taken\n";
  out << "  Red team:  " << s.red_caps << " caps, " << s.red_rets << " returns, " << s.red_ft
      << " flags taken\n";
}

void PrintHits(std::ostream& out, const OwnHits& hits) {
  if (!hits.any()) return;
  out << "  Own hits      Given  Taken  Killing hit  Last hit taken\n";
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    if (hits.given[i] == 0 && hits.taken[i] == 0 && hits.kills[i] == 0 && hits.deaths[i] == 0)
      continue;
    out << "  " << std::left << std::setw(12) << HitLocations[i] << std::right << std::setw(7)
        << hits.given[i] << std::setw(7) << hits.taken[i] << std::setw(13) << hits.kills[i]
        << std::setw(16) << hits.deaths[i] << "\n";
  }
}

void PrintSection(std::ostream& out, const Section& section, bool with_time) {
  out << TerminalText(section.title) << "\n";
  if (section.own_nick) out << "  You played as " << TerminalText(*section.own_nick) << "\n";
  if (with_time) {
    out << "  Your kills: " << section.own_kills << ", deaths: " << section.own_deaths
        << ", time: " << (section.seconds != 0 ? FormatSeconds(section.seconds) : "N/A") << "\n";
  }
  PrintPlayers(out, section);
  PrintTeams(out, section);
  PrintHits(out, section.hits);
  out << "\n";
}

}  // namespace

void PrintReportText(std::ostream& out, const Report& report, bool with_time) {
  out << "Game: " << TerminalText(report.game_name) << "\n\n";
  std::size_t number = 0;
  const auto print = [&](const Section& section) { PrintSection(out, section, with_time); };
  WriteSections(
      report,
      [&](const Section& section) {
        out << "Map " << ++number << ": ";
        print(section);
      },
      print);
}

}  // namespace mrv::cli
