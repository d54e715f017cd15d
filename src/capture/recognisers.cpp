#include "capture/recognisers.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "capture/template_set.h"
#include "model/body.h"

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

std::optional<TeamMember> MatchTeam(const Recogniser<TeamRule>& recogniser, std::string_view line) {
  const auto found = recogniser.Match(ConsoleLine(line));
  if (!found) return std::nullopt;
  return TeamMember{found->nick, found->rule.team};
}

// " in the " followed by the location name, which ends the nickname of a hit given.
std::string_view InTheLocation(int location) {
  static const std::array<std::string, kHitLocationCount> texts = [] {
    std::array<std::string, kHitLocationCount> result;
    for (std::size_t i = 0; i < result.size(); ++i)
      result[i] = " in the " + std::string(HitLocations[i]);
    return result;
  }();
  return texts[static_cast<std::size_t>(location)];
}

}  // namespace

std::optional<Rename> MatchRename(std::string_view line) {
  static const Literal renamed_to(" renamed to ");
  const std::size_t at = renamed_to.FindIn(line);
  if (at == std::string_view::npos || !OccursOnlyOnce(line, renamed_to, at)) return std::nullopt;
  return Rename{line.substr(0, at), line.substr(at + renamed_to.size())};
}

std::optional<TeamMember> MatchTeamColour(std::string_view line) {
  // A colour code, the nickname, and the first colour reset after it.
  if (line.size() < 2 || line[0] != '^' || (line[1] != '4' && line[1] != '1')) return std::nullopt;
  const std::string_view rest = line.substr(2);
  const std::size_t reset = rest.find("^7");
  if (reset == std::string_view::npos) return std::nullopt;
  return TeamMember{rest.substr(0, reset), line[1] == '4' ? kBlue : kRed};
}

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

std::optional<TeamMember> MatchTeamJoin(std::string_view line) {
  // "<KILLER><MSG>text</MSG>": the line ends with the text, the nickname before it. The
  // last two bytes, compared first, rule out nearly every line.
  static const std::array<std::string_view, kJoinRules.size()> endings = {
      TagText(kJoinRules[0].text), TagText(kJoinRules[1].text)};
  for (std::size_t i = 0; i < endings.size(); ++i) {
    const std::string_view ending = endings[i];
    if (line.size() >= ending.size() && line.back() == ending.back() &&
        line[line.size() - 2] == ending[ending.size() - 2] && line.ends_with(ending)) {
      return TeamMember{line.substr(0, line.size() - ending.size()), kJoinRules[i].team};
    }
  }
  return std::nullopt;
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

std::optional<Hit> MatchHit(std::string_view line) {
  constexpr std::string_view kGiven = "You hit ";
  constexpr std::string_view kTaken = "You were hit in the ";
  if (line.empty() || line[0] != 'Y') return std::nullopt;  // most lines, at one compare
  if (line.starts_with(kGiven)) {
    if (line.find("currently protected by the respawn gods") != std::string_view::npos)
      return std::nullopt;
    const std::string_view rest = line.substr(kGiven.size());
    for (int location = 0; location < kHitLocationCount; ++location) {
      const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
      // The location name stands right before the line's final character.
      if (rest.size() < name.size() + 1 ||
          rest.substr(rest.size() - 1 - name.size(), name.size()) != name) {
        continue;
      }
      const std::string_view nick = rest.substr(0, rest.find(InTheLocation(location)));
      return Hit{HitDirection::kGiven, location, nick};
    }
    return std::nullopt;
  }
  if (!line.starts_with(kTaken)) return std::nullopt;
  std::string_view rest = line.substr(kTaken.size());
  for (int location = 0; location < kHitLocationCount; ++location) {
    const std::string_view name = HitLocations[static_cast<std::size_t>(location)];
    if (!rest.starts_with(name)) continue;
    // The location and " by " go from the front, the final character from the end.
    rest.remove_prefix(std::min(rest.size(), name.size() + 4));
    if (!rest.empty()) rest.remove_suffix(1);
    return Hit{HitDirection::kTaken, location, rest};
  }
  return std::nullopt;
}

std::optional<FlagEvent> MatchFlag(const ConsoleLine& line, bool monitor) {
  static const Recogniser<FlagRule> plain(kPlainFlagRules);
  static const Recogniser<FlagRule> colour(kColourFlagRules);
  const auto found = (monitor ? plain : colour).Match(line);
  if (!found) return std::nullopt;
  return FlagEvent{found->nick, found->rule.team, found->rule.kind};
}

}  // namespace mrv
