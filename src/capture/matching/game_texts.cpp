#include "capture/matching/game_texts.h"

#include <algorithm>
#include <unordered_set>

#include "product.h"
#include "files/line_reader.h"
#include "model/body.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr std::string_view kCountTag = "<COUNT>";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Double quotes around a text keep the blanks at its ends.
std::string_view Unquoted(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

bool GameTexts::CountedText::Matches(std::string_view line) const {
  if (!counted) return line == before;
  if (line.size() <= before.size() + after.size() || !line.starts_with(before) ||
      !line.ends_with(after)) {
    return false;
  }
  const std::string_view count =
      line.substr(before.size(), line.size() - before.size() - after.size());
  return std::all_of(count.begin(), count.end(), IsAsciiDigit);
}

struct GameTexts::Rules {
  std::vector<LocationNames::Entry> locations;
  std::unordered_set<std::string> location_names;
  std::vector<HitForm> hit_forms;
  std::vector<CountedText> map_load_marks;
  std::vector<std::string> search_paths;
  std::vector<std::string> log_chat;
  std::vector<std::string> live_chat;
  std::vector<std::string> live_chat_starts;
  std::string name_colour_end;

  // Adds the rule of one line; the fault, or empty.
  std::string Add(std::string_view kind, std::string_view text);
  std::string AddLocation(std::string_view text);
};

GameTexts::GameTexts(Rules&& rules)
    : locations_(std::move(rules.locations)),
      hit_forms_(std::move(rules.hit_forms)),
      map_load_marks_(std::move(rules.map_load_marks)),
      search_paths_(std::move(rules.search_paths)),
      log_chat_(rules.log_chat),
      live_chat_(rules.live_chat),
      live_chat_starts_(rules.live_chat_starts),
      name_colour_end_(std::move(rules.name_colour_end)) {
  for (const HitForm& form : hit_forms_) hit_starts_.set(static_cast<unsigned char>(form.start().front()));
  std::sort(search_paths_.begin(), search_paths_.end());
  for (const std::string& path : search_paths_)
    search_path_starts_.set(static_cast<unsigned char>(path.front()));
}

std::optional<GameTexts> GameTexts::FromLines(const std::vector<std::string>& lines,
                                              std::string& fault) {
  Rules rules;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trimmed(lines[i]);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t colon = line.find(':');
    const std::string reason = colon == std::string_view::npos
                                   ? "no kind and colon before the text"
                                   : rules.Add(Trimmed(line.substr(0, colon)),
                                               Unquoted(Trimmed(line.substr(colon + 1))));
    if (!reason.empty()) {
      fault = "line " + std::to_string(i + 1) + ": " + reason;
      return std::nullopt;
    }
  }
  if (!rules.hit_forms.empty() && rules.locations.empty()) {
    fault = "hit line forms without location names";
    return std::nullopt;
  }
  return GameTexts(std::move(rules));
}

std::string GameTexts::Rules::Add(std::string_view kind, std::string_view text) {
  if (text.empty()) return "no text after " + Quoted(std::string(kind) + ":");
  if (kind == "hit given" || kind == "hit taken") {
    if (hit_forms.size() == kMaxHitForms) {
      return "more than " + std::to_string(kMaxHitForms) + " hit line forms";
    }
    std::string fault;
    auto form = HitForm::Compile(
        text, kind == "hit given" ? HitDirection::kGiven : HitDirection::kTaken, fault);
    if (!form) return fault;
    hit_forms.push_back(std::move(*form));
  } else if (kind == "location") {
    return AddLocation(text);
  } else if (kind == "map loaded after") {
    CountedText mark;
    const std::size_t count = text.find(kCountTag);
    mark.before = text.substr(0, count);
    if (count != std::string_view::npos) {
      mark.counted = true;
      mark.after = text.substr(count + kCountTag.size());
      if (mark.after.find(kCountTag) != std::string::npos) return "<COUNT> stands once at most";
    }
    map_load_marks.push_back(std::move(mark));
  } else if (kind == "search path") {
    search_paths.emplace_back(text);
  } else if (kind == "log chat") {
    log_chat.emplace_back(text);
  } else if (kind == "live chat") {
    live_chat.emplace_back(text);
  } else if (kind == "live chat start") {
    live_chat_starts.emplace_back(text);
  } else if (kind == "name colour end") {
    if (!name_colour_end.empty()) return "a second name colour end";
    name_colour_end = text;
  } else {
    return "unknown kind " + Quoted(kind);
  }
  return {};
}

std::string GameTexts::Rules::AddLocation(std::string_view text) {
  const std::size_t equals = text.find('=');
  const std::string_view printed = Trimmed(text.substr(0, equals));
  if (equals == std::string_view::npos || printed.empty())
    return "a location reads: the name as printed = one of the 21 hit locations";
  const std::string_view location = Trimmed(text.substr(equals + 1));
  const auto known = std::find(HitLocations.begin(), HitLocations.end(), location);
  if (known == HitLocations.end()) return Quoted(location) + " is none of the 21 hit locations";
  if (!location_names.emplace(printed).second)
    return "the location " + Quoted(printed) + " is listed twice";
  locations.push_back({std::string(printed), static_cast<int>(known - HitLocations.begin())});
  return {};
}

bool GameTexts::HoldsChat(std::string_view line, bool live) const {
  if ((live ? live_chat_ : log_chat_).AnyIn(line)) return true;
  if (!live) return false;
  bool starts = false;
  live_chat_starts_.ForEachStart(line.begin(), line.end(),
                                 [&starts](std::size_t, std::size_t) { starts = true; });
  return starts;
}

bool GameTexts::HoldsSearchPath(std::string_view line) const {
  return std::binary_search(search_paths_.begin(), search_paths_.end(), line,
                            [](std::string_view a, std::string_view b) { return a < b; });
}

std::optional<Hit> GameTexts::MatchHitForms(std::string_view line) const {
  for (const HitForm& form : hit_forms_) {
    if (auto hit = form.Match(line, locations_)) {
      hit->nick = Unwrapped(hit->nick);
      return hit;
    }
  }
  return std::nullopt;
}

bool GameTexts::MarksMapLoad(std::string_view previous_line) const {
  return std::any_of(
      map_load_marks_.begin(), map_load_marks_.end(),
      [previous_line](const CountedText& mark) { return mark.Matches(previous_line); });
}

std::string_view GameTexts::WithoutWrapping(std::string_view nick) const {
  const std::size_t wrapping = 2 + name_colour_end_.size();
  if (nick.size() <= wrapping || nick[0] != '^' || !IsAsciiDigit(nick[1]) ||
      !nick.ends_with(name_colour_end_)) {
    return nick;
  }
  return nick.substr(2, nick.size() - wrapping);
}

const GameTexts& NoGameTexts() {
  static const GameTexts none;
  return none;
}

GameTexts LoadGameTexts(const std::filesystem::path& data_dir, Prompt& prompt) {
  const std::filesystem::path path = data_dir / kGameTextsFile;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return {};
  LineReader reader(kMaxGameTextsLine);
  std::vector<std::string> lines;
  std::string fault;
  if (reader.Open(path, InputKind::kRegular)) {
    std::string line;
    std::uint64_t bytes = 0;
    while (fault.empty() && reader.Next(line)) {
      bytes += reader.last_length() + 1;
      if (reader.overlong()) fault = "line " + std::to_string(lines.size() + 1) + " is too long";
      if (lines.size() == kMaxGameTextsLines) {
        fault = "more than " + std::to_string(kMaxGameTextsLines) + " lines";
      }
      if (bytes > kMaxGameTextsBytes) {
        fault = "more than " + std::to_string(kMaxGameTextsBytes >> 10) + " kB";
      }
      lines.push_back(std::move(line));
    }
  }
  if (fault.empty() && (!reader.is_open() || reader.read_error())) fault = "it cannot be read";
  if (fault.empty()) {
    if (auto texts = GameTexts::FromLines(lines, fault)) return std::move(*texts);
  }
  prompt.Error("Your " + std::string(kGameTextsFile) + " file seems corrupted (" + fault +
                   ")!\r\nYou may get the most recent version at " + std::string(kHomePage) +
                   "\r\nOnly the text of older game versions will be recognised.",
               kErrorCaption);
  return {};
}

}  // namespace mrv
