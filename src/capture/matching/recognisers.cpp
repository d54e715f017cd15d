#include "capture/matching/recognisers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>
#include <string>

#include "capture/matching/template_set.h"
#include "model/body.h"
#include "model/wide_text.h"

namespace mrv {

namespace {

constexpr std::uint8_t kRed = 1;
constexpr std::uint8_t kBlue = 2;

struct TeamRule {
  std::string_view text;
  std::uint8_t team;
};

constexpr std::array<TeamRule, 2> kColourRules = {{
    {"<MSG>^4</MSG><KILLER><MSG>^7</MSG><VICTIM><MSG>.</MSG>", kBlue},
    {"<MSG>^1</MSG><KILLER><MSG>^7</MSG><VICTIM><MSG>.</MSG>", kRed},
}};

constexpr std::array<TeamRule, 2> kJoinRules = {{
    {"<KILLER><MSG> joined the red team.</MSG>", kRed},
    {"<KILLER><MSG> joined the blue team.</MSG>", kBlue},
}};

struct FlagRule {
  std::string_view text;
  FlagEventKind kind;
  std::uint8_t team;
};

using enum FlagEventKind;

constexpr std::array<FlagRule, 8> kPlainFlagRules = {{
    {"<VICTIM><MSG> dropped the Red flag!</MSG>", kDropped, kBlue},
    {"<VICTIM><MSG> dropped the Blue flag!</MSG>", kDropped, kRed},
    {"<KILLER><MSG> returned the BLUE flag!</MSG>", kReturned, kBlue},
    {"<KILLER><MSG> returned the RED flag!</MSG>", kReturned, kRed},
    {"<KILLER><MSG> captured the Red flag!</MSG>", kCaptured, kBlue},
    {"<KILLER><MSG> captured the Blue flag!</MSG>", kCaptured, kRed},
    {"<KILLER><MSG> has taken the Blue flag!</MSG>", kTaken, kRed},
    {"<KILLER><MSG> has taken the Red flag!</MSG>", kTaken, kBlue},
}};

constexpr std::array<FlagRule, 8> kColourFlagRules = {{
    {"<MSG>^4</MSG><VICTIM><MSG>^7 dropped the ^1Red^7 flag!</MSG>", kDropped, kBlue},
    {"<MSG>^1</MSG><VICTIM><MSG>^7 dropped the ^4Blue^7 flag!</MSG>", kDropped, kRed},
    {"<KILLER><MSG> returned the BLUE flag!</MSG>", kReturned, kBlue},
    {"<KILLER><MSG> returned the RED flag!</MSG>", kReturned, kRed},
    {"<MSG>^4</MSG><KILLER><MSG>^7 captured the ^1Red flag!</MSG>", kCaptured, kBlue},
    {"<MSG>^1</MSG><KILLER><MSG>^7 captured the ^4Blue flag!</MSG>", kCaptured, kRed},
    {"<MSG>^1</MSG><KILLER><MSG>^7 has taken the ^4Blue^7 flag!</MSG>", kTaken, kRed},
    {"<MSG>^4</MSG><KILLER><MSG>^7 has taken the ^1Red^7 flag!</MSG>", kTaken, kBlue},
}};

// The templates of a set of rules, compiled once; the first rule that matches decides.
template <typename Rule>
class Recogniser {
 public:
  explicit Recogniser(std::span<const Rule> rules) : rules_(rules), templates_(Compile(rules)) {}

  struct Found {
    const Rule& rule;
    std::string_view nick;  // the text of the template's first slot
  };

  std::optional<Found> Match(const ConsoleLine& line) const {
    bool faults_met = false;  // built-in templates are well formed
    const auto found = templates_.FirstMatch(line, faults_met);
    if (!found) return std::nullopt;
    const bool killer_first = templates_[found->index].first_slot() == SlotKind::kKiller;
    return Found{rules_[found->index], killer_first ? found->texts.killer : found->texts.victim};
  }

 private:
  static TemplateSet Compile(std::span<const Rule> rules) {
    std::vector<CompiledTemplate> compiled;
    for (const Rule& rule : rules) compiled.emplace_back(rule.text);
    return TemplateSet(std::move(compiled));
  }

  std::span<const Rule> rules_;
  TemplateSet templates_;
};

// The rules of one slot, read from the line's two ends as their templates read them:
// the line starts with the rule's first text (if it has one) and ends with its last,
// and the nickname is what lies between. The first rule in order that fits decides.
// The line's last eight bytes, compared at once, rule out nearly every line and rule.
template <typename Rule, std::size_t N>
class EndsReader {
 public:
  explicit EndsReader(const std::array<Rule, N>& rules) : rules_(rules) {
    for (std::size_t i = 0; i < N; ++i) {
      const std::string_view text = rules[i].text;
      const bool has_start = text.starts_with(kOpenTag);
      starts_[i] = has_start ? TagText(text) : std::string_view();
      ends_[i] = TagText(text.substr(text.rfind(kOpenTag)));
      last_words_[i] = WordAt(ends_[i].data() + ends_[i].size() - kWordBytes);
    }
  }

  struct Found {
    const Rule& rule;
    std::string_view nick;
  };

  std::optional<Found> Read(std::string_view line) const {
    if (line.size() < kWordBytes) return std::nullopt;
    const std::uint64_t last = WordAt(line.data() + line.size() - kWordBytes);
    for (std::size_t i = 0; i < N; ++i) {
      if (last != last_words_[i]) continue;
      const std::string_view start = starts_[i];
      const std::string_view end = ends_[i];
      if (line.size() < start.size() + end.size() || !EndsWithBytes(line, end) ||
          !StartsWithBytes(line, start)) {
        continue;
      }
      return Found{rules_[i], line.substr(start.size(), line.size() - start.size() - end.size())};
    }
    return std::nullopt;
  }

  // Each rule: an optional first text, a slot, a last text of at least a word.
  static constexpr bool Readable(const std::array<Rule, N>& rules) {
    for (const Rule& rule : rules) {
      const std::string_view text = rule.text;
      const std::size_t open = text.rfind(kOpenTag);
      if (open == std::string_view::npos || !text.ends_with(kCloseTag) ||
          text.size() - open - kOpenTag.size() - kCloseTag.size() < kWordBytes) {
        return false;
      }
    }
    return true;
  }

 private:
  static constexpr std::string_view kOpenTag = "<MSG>";
  static constexpr std::string_view kCloseTag = "</MSG>";
  static constexpr std::size_t kWordBytes = 8;

  const std::array<Rule, N>& rules_;
  std::array<std::string_view, N> starts_;
  std::array<std::string_view, N> ends_;
  std::array<std::uint64_t, N> last_words_{};
};

static_assert(EndsReader<TeamRule, kJoinRules.size()>::Readable(kJoinRules));
static_assert(EndsReader<FlagRule, kPlainFlagRules.size()>::Readable(kPlainFlagRules));
static_assert(EndsReader<FlagRule, kColourFlagRules.size()>::Readable(kColourFlagRules));

std::optional<TeamMember> MatchTeam(const Recogniser<TeamRule>& recogniser, std::string_view line) {
  const auto found = recogniser.Match(ConsoleLine(line));
  if (!found) return std::nullopt;
  return TeamMember{found->nick, found->rule.team};
}

constexpr std::string_view kHitGiven = "You hit ";
constexpr std::string_view kHitTaken = "You were hit in the ";
constexpr std::string_view kRespawnGods = "currently protected by the respawn gods";

// The hit locations by a byte of their names, a bit per location; and " in the "
// followed by each name, which ends the nickname of a hit given.
struct LocationsByByte {
  std::array<std::uint32_t, 256> ending_with{};
  std::array<std::uint32_t, 256> starting_with{};
  std::array<Literal, kHitLocationCount> in_the;
};

const LocationsByByte& HitLocationsByByte() {
  static const LocationsByByte table = [] {
    LocationsByByte result;
    for (std::size_t i = 0; i < kHitLocationCount; ++i) {
      const std::string_view name = HitLocations[i];
      result.ending_with[static_cast<unsigned char>(name.back())] |= 1u << i;
      result.starting_with[static_cast<unsigned char>(name.front())] |= 1u << i;
      result.in_the[i] = Literal(" in the " + std::string(name));
    }
    return result;
  }();
  return table;
}

// After "You were hit in the " and the location: " by ", the nickname, one character.
std::string_view NickOfHitTaken(std::string_view rest, std::string_view location) {
  rest.remove_prefix(std::min(rest.size(), location.size() + 4));
  if (!rest.empty()) rest.remove_suffix(1);
  return rest;
}

}  // namespace

namespace reading {

std::optional<Rename> RenameAt(std::string_view line, std::size_t at) {
  if (!OccursOnlyOnce(line, kRenamedTo, at)) return std::nullopt;
  return Rename{line.substr(0, at), line.substr(at + kRenamedTo.size())};
}

std::optional<TeamMember> TeamColour(std::string_view line) {
  // After the colour code, the nickname up to the first colour reset.
  const std::string_view rest = line.substr(2);
  const std::size_t reset = rest.find("^7");
  if (reset == std::string_view::npos) return std::nullopt;
  return TeamMember{rest.substr(0, reset), line[1] == '4' ? kBlue : kRed};
}

}  // namespace reading

std::optional<Rename> MatchRenamePlain(std::string_view line_with_dot) {
  static const CompiledTemplate rename("<KILLER><MSG> renamed to </MSG><VICTIM><MSG>.</MSG>");
  SlotTexts slots;
  if (MatchTemplate(rename, line_with_dot, slots) != TemplateResult::kMatch) return std::nullopt;
  return Rename{slots.killer, slots.victim};
}

std::optional<TeamMember> MatchTeamColourPlain(std::string_view line_with_dot) {
  static const Recogniser<TeamRule> colours(kColourRules);
  return MatchTeam(colours, line_with_dot);
}

std::optional<TeamMember> reading::TeamJoinLine(std::string_view line) {
  static const EndsReader joins(kJoinRules);
  const auto found = joins.Read(line);
  if (!found) return std::nullopt;
  return TeamMember{found->nick, found->rule.team};
}

std::optional<TeamMember> MatchTeamJoinPlain(std::string_view line) {
  static const Recogniser<TeamRule> joins(kJoinRules);
  return MatchTeam(joins, line);
}

std::optional<std::string_view> MatchMapName(std::string_view line, bool monitor) {
  constexpr std::string_view kAnswer = "\"mapname\" is:\"";
  if (!line.starts_with(kAnswer)) return std::nullopt;
  std::string_view name = line.substr(kAnswer.size());
  name = name.substr(0, name.find('"'));
  if (!monitor) name.remove_suffix(name.size() < 2 ? name.size() : 2);
  return name;
}

std::optional<Hit> reading::HitLine(std::string_view line) {
  if (line.starts_with(kHitGiven)) {
    static const Literal respawn_gods(kRespawnGods);
    if (respawn_gods.FindIn(line) != std::string_view::npos) return std::nullopt;
    // The location name stands right before the line's final character: only the names
    // that end with the byte there are tried, in table order.
    const std::string_view rest = line.substr(kHitGiven.size());
    if (rest.size() < 2) return std::nullopt;
    const auto& ending_with = HitLocationsByByte().ending_with;
    for (auto locations = ending_with[static_cast<unsigned char>(rest[rest.size() - 2])];
         locations != 0; locations &= locations - 1) {
      const int location = std::countr_zero(locations);
      const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
      if (rest.size() < name.size() + 1 ||
          !SameBytes(rest.data() + rest.size() - 1 - name.size(), name.data(), name.size())) {
        continue;
      }
      const auto& in_the = HitLocationsByByte().in_the[static_cast<std::size_t>(location)];
      return Hit{HitDirection::kGiven, location, rest.substr(0, in_the.FindIn(rest))};
    }
    return std::nullopt;
  }
  if (!line.starts_with(kHitTaken) || line.size() == kHitTaken.size()) return std::nullopt;
  std::string_view rest = line.substr(kHitTaken.size());
  const auto& starting_with = HitLocationsByByte().starting_with;
  for (auto locations = starting_with[static_cast<unsigned char>(rest[0])]; locations != 0;
       locations &= locations - 1) {
    const int location = std::countr_zero(locations);
    const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
    if (!StartsWithBytes(rest, name)) continue;
    return Hit{HitDirection::kTaken, location, NickOfHitTaken(rest, name)};
  }
  return std::nullopt;
}

std::optional<Hit> MatchHitPlain(std::string_view line) {
  if (line.starts_with(kHitGiven)) {
    if (line.find(kRespawnGods) != std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(kHitGiven.size());
    for (int location = 0; location < kHitLocationCount; ++location) {
      const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
      // The location name stands right before the line's final character.
      if (rest.size() < name.size() + 1 ||
          rest.substr(rest.size() - 1 - name.size(), name.size()) != name) {
        continue;
      }
      const std::string in_the = " in the " + std::string(name);
      return Hit{HitDirection::kGiven, location, rest.substr(0, rest.find(in_the))};
    }
    return std::nullopt;
  }
  if (!line.starts_with(kHitTaken)) return std::nullopt;
  const std::string_view rest = line.substr(kHitTaken.size());
  for (int location = 0; location < kHitLocationCount; ++location) {
    const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
    if (rest.starts_with(name))
      return Hit{HitDirection::kTaken, location, NickOfHitTaken(rest, name)};
  }
  return std::nullopt;
}

std::optional<FlagEvent> reading::FlagLine(std::string_view line, bool monitor) {
  static const EndsReader uncoloured(kPlainFlagRules);
  static const EndsReader coloured(kColourFlagRules);
  const auto found = monitor ? uncoloured.Read(line) : coloured.Read(line);
  if (!found) return std::nullopt;
  return FlagEvent{found->nick, found->rule.team, found->rule.kind};
}

std::optional<FlagEvent> MatchFlagPlain(std::string_view line, bool monitor) {
  static const Recogniser<FlagRule> plain(kPlainFlagRules);
  static const Recogniser<FlagRule> colour(kColourFlagRules);
  const auto found = (monitor ? plain : colour).Match(ConsoleLine(line));
  if (!found) return std::nullopt;
  return FlagEvent{found->nick, found->rule.team, found->rule.kind};
}

}  // namespace mrv
