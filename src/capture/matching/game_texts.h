// The console text of Urban Terror 4.1 and later versions, beyond the older text the
// interpreter reads on its own: hit lines with a damage part and their location names,
// variants of the map-load markers, chat, and names wrapped in colour codes. It is
// data, read from GameTexts.txt beside the programs; without that file (no GameTexts
// at all) every recogniser here finds nothing and the capture counts exactly as
// before.
#pragma once

#include <bitset>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/hit_forms.h"
#include "capture/matching/text_set.h"
#include "files/prompt.h"

namespace mrv {

inline constexpr char kGameTextsFile[] = "GameTexts.txt";

// The file's limits. The shipped file holds 4 kB and four hit line forms; these bound
// what a hostile one costs: any file within them loads in milliseconds, and every
// recogniser but the hit line forms reads a console line once whatever the file holds.
// The forms are tried one by one, so they are few.
inline constexpr std::size_t kMaxGameTextsLine = 1 << 12;
inline constexpr std::size_t kMaxGameTextsLines = 1 << 12;
inline constexpr std::size_t kMaxGameTextsBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxHitForms = 16;

class GameTexts {
 public:
  // No rules: the older text only.
  GameTexts() = default;

  // Reads the file's lines: "kind: text", comments beginning with "#", blank lines.
  // Nothing, with the line and what is wrong with it in `fault`, for a damaged file.
  static std::optional<GameTexts> FromLines(const std::vector<std::string>& lines,
                                            std::string& fault);

  // The recognisers. Those that every line meets first test, inline, whether the file
  // has their rule at all.

  // Chat: a line that holds one of the file's chat texts. A saved log keeps the colour
  // codes the chat texts are made of; the live console shows the text without them, so
  // it has texts of its own ("live chat", "live chat start").
  bool IsChat(std::string_view line, bool live) const {
    return !(live ? live_chat_.empty() && live_chat_starts_.empty() : log_chat_.empty()) &&
           HoldsChat(line, live);
  }
  // A hit given or taken by the own player, in one of the file's hit line forms.
  std::optional<Hit> MatchHit(std::string_view line) const {
    if (line.empty() || !hit_starts_[static_cast<unsigned char>(line.front())]) return std::nullopt;
    return MatchHitForms(line);
  }
  // Whether the line before "CL_InitCGame: " marks a map load ("13 crosshairs parsed").
  bool MarksMapLoad(std::string_view previous_line) const;
  // Whether the line is a form of "Current search path:" ("Going through search path...").
  bool IsSearchPath(std::string_view line) const {
    return !line.empty() && search_path_starts_[static_cast<unsigned char>(line.front())] &&
           HoldsSearchPath(line);
  }
  // A nickname that a kill or hit line wraps in a colour code ("^1Fak^7") without the
  // wrapping; any other nickname as it is.
  std::string_view Unwrapped(std::string_view nick) const {
    return name_colour_end_.empty() ? nick : WithoutWrapping(nick);
  }

 private:
  // A text with at most one <COUNT> in it, which stands for one or more digits.
  struct CountedText {
    std::string before;
    std::string after;
    bool counted = false;
    bool Matches(std::string_view line) const;
  };

  // The rules as the file's lines give them, before they are indexed.
  struct Rules;

  explicit GameTexts(Rules&& rules);
  bool HoldsChat(std::string_view line, bool live) const;
  bool HoldsSearchPath(std::string_view line) const;
  std::optional<Hit> MatchHitForms(std::string_view line) const;
  std::string_view WithoutWrapping(std::string_view nick) const;

  LocationNames locations_;
  std::vector<HitForm> hit_forms_;
  std::bitset<256> hit_starts_;  // first bytes of the hit forms: most lines have none
  std::vector<CountedText> map_load_marks_;
  std::vector<std::string> search_paths_;  // sorted
  std::bitset<256> search_path_starts_;    // their first bytes: most lines have none
  TextSet log_chat_;
  TextSet live_chat_;
  ByteTrie live_chat_starts_;
  std::string name_colour_end_;  // empty: names are taken as printed
};

// The rules of no file: the older text only.
const GameTexts& NoGameTexts();

// Reads GameTexts.txt from the data folder. A missing file gives no rules without
// a word, so that removing it brings back the older behaviour; a damaged or unreadable
// one is reported and gives no rules either.
GameTexts LoadGameTexts(const std::filesystem::path& data_dir, Prompt& prompt);

}  // namespace mrv
