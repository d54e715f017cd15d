#include "cli/report_text.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "cli/console_prompt.h"
#include "model/text.h"

namespace mrv::cli {

namespace {

// Fields padded as std::setw pads them, never cut; the tables are gathered in one string
// and written in blocks, which costs far less than a stream's formatting on reports of
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

void Number(std::string& text, std::int64_t value) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void PrintPlayers(std::string& text, const Section& section) {
  if (section.players.empty()) {
    text += "  No players.\n";
    return;
  }
  std::size_t width = 6;
  for (const auto& p : section.players) width = std::max(width, p.nick.size());
  text += "  ";
  Left(text, "Player", width);
  text += "  Team   Kills  Deaths  K/D         Caps  Rets  Taken  FCK\n";
  for (const auto& p : section.players) {
    text += "  ";
    Left(text, TerminalText(p.nick), width);
    text += "  ";
    Left(text, TeamName(p.team), 5);
    Right(text, p.kills, 7);
    Right(text, p.deaths, 8);
    text += "  ";
    Left(text, p.kill_death, 10);
    Right(text, p.caps, 6);
    Right(text, p.rets, 6);
    Right(text, p.ft, 7);
    Right(text, p.fck, 5);
    text += '\n';
  }
}

void PrintTeam(std::string& text, std::string_view team, std::int64_t caps, std::int64_t rets,
               std::int64_t taken) {
  text += team;
  Number(text, caps);
  text += " caps, ";
  Number(text, rets);
  text += " returns, ";
  Number(text, taken);
  text += " flags taken\n";
}

void PrintTeams(std::string& text, const Section& s) {
  if (s.blue_caps == 0 && s.red_caps == 0 && s.blue_rets == 0 && s.red_rets == 0 &&
      s.blue_ft == 0 && s.red_ft == 0) {
    return;
  }
  PrintTeam(text, "  Blue team: ", s.blue_caps, s.blue_rets, s.blue_ft);
  PrintTeam(text, "  Red team:  ", s.red_caps, s.red_rets, s.red_ft);
}

void PrintHits(std::string& text, const OwnHits& hits) {
  if (!hits.any()) return;
  text += "  Own hits      Given  Taken  Killing hit  Last hit taken\n";
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    if (hits.given[i] == 0 && hits.taken[i] == 0 && hits.kills[i] == 0 && hits.deaths[i] == 0)
      continue;
    text += "  ";
    Left(text, HitLocations[i], 12);
    Right(text, hits.given[i], 7);
    Right(text, hits.taken[i], 7);
    Right(text, hits.kills[i], 13);
    Right(text, hits.deaths[i], 16);
    text += '\n';
  }
}

void PrintSection(std::string& text, const Section& section, bool with_time) {
  text += TerminalText(section.title);
  text += '\n';
  if (section.own_nick) {
    text += "  You played as ";
    text += TerminalText(*section.own_nick);
    text += '\n';
  }
  if (with_time) {
    text += "  Your kills: ";
    Number(text, section.own_kills);
    text += ", deaths: ";
    Number(text, section.own_deaths);
    text += ", time: ";
    text += section.seconds != 0 ? FormatSeconds(section.seconds) : "N/A";
    text += '\n';
  }
  PrintPlayers(text, section);
  PrintTeams(text, section);
  PrintHits(text, section.hits);
  text += '\n';
}

void Write(std::ostream& out, std::string& text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  text.clear();
}

}  // namespace

void PrintReportText(std::ostream& out, const Report& report, bool with_time) {
  // Sections are gathered in one string and written in blocks of many: a report of
  // thousands of maps is mostly short sections.
  constexpr std::size_t kBlock = std::size_t{64} << 10;
  std::string text = "Game: " + TerminalText(report.game_name) + "\n\n";
  std::int64_t number = 0;
  WriteSections(
      report,
      [&](const Section& section) {
        text += "Map ";
        Number(text, ++number);
        text += ": ";
        PrintSection(text, section, with_time);
        if (text.size() >= kBlock) Write(out, text);
      },
      [&](const Section& section) {
        PrintSection(text, section, with_time);
        Write(out, text);
      });
}

}  // namespace mrv::cli
