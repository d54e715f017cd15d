#include "cli/report_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/console_prompt.h"
#include "model/text.h"

namespace mrv::cli {

namespace {

// The report's text, gathered in blocks and written block by block: a report of
// thousands of maps is mostly short sections. Its room is never filled before it is
// written, as a string's would be.
class TextBlock {
 public:
  explicit TextBlock(std::ostream& out) : out_(out) {}
  TextBlock(const TextBlock&) = delete;
  TextBlock& operator=(const TextBlock&) = delete;

  // Room for `most` bytes more, and kSlack beyond them that a row may overwrite.
  char* Room(std::size_t most) {
    if (most + kSlack > capacity_ - size_) Grow(size_ + most + kSlack);
    return data_.get() + size_;
  }
  // The text now ends at `end`, in the room given last.
  void EndAt(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void Append(std::string_view text) {
    EndAt(std::copy(text.begin(), text.end(), Room(text.size())));
  }
  void WriteWhenFull() {
    if (size_ >= kBlock) Write();
  }
  void Write() {
    out_.write(data_.get(), static_cast<std::streamsize>(size_));
    size_ = 0;
  }

  static constexpr std::size_t kSlack = 16;

 private:
  static constexpr std::size_t kBlock = std::size_t{64} << 10;
  void Grow(std::size_t needed) {
    const std::size_t capacity = std::max({needed, 2 * capacity_, kBlock + kBlock / 2});
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    std::copy_n(data_.get(), size_, grown.get());
    data_ = std::move(grown);
    capacity_ = capacity;
  }

  std::ostream& out_;
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Fields padded as std::setw pads them, never cut, written through a pointer into room
// made for the row at once: on reports of thousands of maps, a stream's formatting, or
// a string's checks per field, cost more than the digits.
class Row {
 public:
  // Room for at most `most` bytes; the text ends where the row does.
  Row(TextBlock& text, std::size_t most) : text_(text), at_(text.Room(most)) {}
  ~Row() { text_.EndAt(at_); }
  Row(const Row&) = delete;
  Row& operator=(const Row&) = delete;

  void Put(std::string_view text) { at_ = std::copy(text.begin(), text.end(), at_); }
  void PutTerminalText(std::string_view text) {
    at_ = std::transform(text.begin(), text.end(), at_, TerminalChar);
  }
  void Pad(std::size_t used, std::size_t width) {
    if (used >= width) return;
    // Most pads are short: a whole slack's worth of blanks, of which the row keeps some.
    if (width - used <= TextBlock::kSlack) {
      std::memset(at_, ' ', TextBlock::kSlack);
      at_ += width - used;
    } else {
      at_ = std::fill_n(at_, width - used, ' ');
    }
  }
  void Left(std::string_view text, std::size_t width) {
    Put(text);
    Pad(text.size(), width);
  }
  void Right(std::int64_t value, std::size_t width) {
    // Nearly every count of a map has one or two digits.
    if (value >= 0 && value < 100) {
      const std::size_t size = value < 10 ? 1 : 2;
      Pad(size, width);
      if (size == 2) *at_++ = static_cast<char>('0' + value / 10);
      *at_++ = static_cast<char>('0' + value % 10);
      return;
    }
    char digits[kMostDigits];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto size = static_cast<std::size_t>(end - digits);
    Pad(size, width);
    Put(std::string_view(digits, size));
  }

  // What a number takes at most.
  static constexpr std::size_t kMostDigits = 20;

 private:
  TextBlock& text_;
  char* at_;
};

void Number(TextBlock& text, std::int64_t value) {
  char digits[Row::kMostDigits];
  text.Append(std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value).ptr));
}

// Room for a row's fixed fields: each of at most 20 characters or its width, with the
// spaces between.
constexpr std::size_t kFixedFieldsRoom = 8 * (Row::kMostDigits + 2);

void PrintPlayers(TextBlock& text, const Section& section) {
  if (section.players.empty()) {
    text.Append("  No players.\n");
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

void PrintTeam(TextBlock& text, std::string_view team, std::int64_t caps, std::int64_t rets,
               std::int64_t taken) {
  text.Append(team);
  Number(text, caps);
  text.Append(" caps, ");
  Number(text, rets);
  text.Append(" returns, ");
  Number(text, taken);
  text.Append(" flags taken\n");
}

void PrintTeams(TextBlock& text, const Section& s) {
  if (s.blue_caps == 0 && s.red_caps == 0 && s.blue_rets == 0 && s.red_rets == 0 &&
      s.blue_flags_taken == 0 && s.red_flags_taken == 0) {
    return;
  }
  PrintTeam(text, "  Blue team: ", s.blue_caps, s.blue_rets, s.blue_flags_taken);
  PrintTeam(text, "  Red team:  ", s.red_caps, s.red_rets, s.red_flags_taken);
}

void PrintHits(TextBlock& text, const OwnHits& hits) {
  if (!hits.any()) return;
  text.Append("  Own hits      Given  Taken  Killing hit  Last hit taken\n");
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

void PrintSection(TextBlock& text, const Section& section, bool with_time) {
  text.Append(TerminalText(section.title));
  text.Append("\n");
  if (section.own_nick) {
    text.Append("  You played as ");
    text.Append(TerminalText(*section.own_nick));
    text.Append("\n");
  }
  if (with_time) {
    text.Append("  Your kills: ");
    Number(text, section.own_kills);
    text.Append(", deaths: ");
    Number(text, section.own_deaths);
    text.Append(", time: ");
    text.Append(section.seconds != 0 ? FormatSeconds(section.seconds) : "N/A");
    text.Append("\n");
  }
  PrintPlayers(text, section);
  PrintTeams(text, section);
  PrintHits(text, section.hits);
  text.Append("\n");
}

}  // namespace

void PrintReportText(std::ostream& out, const Report& report, bool with_time) {
  TextBlock text(out);
  text.Append("Game: " + TerminalText(report.game_name) + "\n\n");
  std::int64_t number = 0;
  WriteSections(
      report,
      [&](const Section& section) {
        text.Append("Map ");
        Number(text, ++number);
        text.Append(": ");
        PrintSection(text, section, with_time);
        text.WriteWhenFull();
      },
      [&](const Section& section) {
        PrintSection(text, section, with_time);
        text.Write();
      });
}

}  // namespace mrv::cli
