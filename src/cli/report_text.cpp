#include "cli/report_text.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "cli/console_prompt.h"
#include "model/text.h"

namespace mrv::cli {

namespace {

// Fields padded as std::setw pads them, never cut. The tables are gathered in one string
// and written in blocks, and each row is written through a pointer into room made for
// it at once: on reports of thousands of maps, a stream's formatting, or a string's
// checks per field, cost more than the digits.
class Row {
 public:
  // Room for at most `most` bytes at the end of `text`; what is not written goes.
  Row(std::string& text, std::size_t most) : text_(text) {
    const std::size_t start = text.size();
    text.resize(start + most);
    at_ = text.data() + start;
  }
  ~Row() { text_.resize(static_cast<std::size_t>(at_ - text_.data())); }
  Row(const Row&) = delete;
  Row& operator=(const Row&) = delete;

  void Put(std::string_view text) { at_ = std::copy(text.begin(), text.end(), at_); }
  void PutTerminalText(std::string_view text) {
    at_ = std::transform(text.begin(), text.end(), at_, TerminalChar);
  }
  void Pad(std::size_t used, std::size_t width) {
    if (used < width) at_ = std::fill_n(at_, width - used, ' ');
  }
  void Left(std::string_view text, std::size_t width) {
    Put(text);
    Pad(text.size(), width);
  }
  void Right(std::int64_t value, std::size_t width) {
    char digits[kMostDigits];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto size = static_cast<std::size_t>(end - digits);
    Pad(size, width);
    Put(std::string_view(digits, size));
  }

  // What a number takes at most.
  static constexpr std::size_t kMostDigits = 20;

 private:
  std::string& text_;
  char* at_;
};

void Number(std::string& text, std::int64_t value) {
  char digits[Row::kMostDigits];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Room for a row's fixed fields: each of at most 20 characters or its width, with the
// spaces between.
constexpr std::size_t kFixedFieldsRoom = 8 * (Row::kMostDigits + 2);

void PrintPlayers(std::string& text, const Section& section) {
  if (section.players.empty()) {
    text += "  No players.\n";
    return;
  }
  std::size_t width = 6;
  for (const auto& p : section.players) width = std::max(width, p.nick.size());
  {
    Row row(text, width + 64);
    row.Put("  ");
    row.Left("Player", width);
    row.Put("  Team   Kills  Deaths  K/D         Caps  Rets  Taken  FCK\n");
  }
  for (const auto& p : section.players) {
    Row row(text, width + p.kill_death.size() + kFixedFieldsRoom);
    row.Put("  ");
    row.PutTerminalText(p.nick);
    row.Pad(p.nick.size(), width);
    row.Put("  ");
    row.Left(TeamName(p.team), 5);
    row.Right(p.kills, 7);
    row.Right(p.deaths, 8);
    row.Put("  ");
    row.Left(p.kill_death, 10);
    row.Right(p.caps, 6);
    row.Right(p.rets, 6);
    row.Right(p.flags_taken, 7);
    row.Right(p.carrier_kills, 5);
    row.Put("\n");
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
      s.blue_flags_taken == 0 && s.red_flags_taken == 0) {
    return;
  }
  PrintTeam(text, "  Blue team: ", s.blue_caps, s.blue_rets, s.blue_flags_taken);
  PrintTeam(text, "  Red team:  ", s.red_caps, s.red_rets, s.red_flags_taken);
}

void PrintHits(std::string& text, const OwnHits& hits) {
  if (!hits.any()) return;
  text += "  Own hits      Given  Taken  Killing hit  Last hit taken\n";
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    if (hits.given[i] == 0 && hits.taken[i] == 0 && hits.kills[i] == 0 && hits.deaths[i] == 0)
      continue;
    Row row(text, HitLocations[i].size() + kFixedFieldsRoom);
    row.Put("  ");
    row.Left(HitLocations[i], 12);
    row.Right(hits.given[i], 7);
    row.Right(hits.taken[i], 7);
    row.Right(hits.kills[i], 13);
    row.Right(hits.deaths[i], 16);
    row.Put("\n");
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
