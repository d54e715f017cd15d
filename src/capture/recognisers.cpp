#include "capture/recognisers.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "capture/template_matcher.h"
#include "model/body.h"

namespace mrv {

namespace {

constexpr std::uint8_t kRed = 1;
constexpr std::uint8_t kBlue = 2;

struct TeamTemplate {
  CompiledTemplate compiled;
  std::uint8_t team;
};

struct FlagTemplate {
  CompiledTemplate compiled;
  FlagEventKind kind;
  std::uint8_t team;
};

using FlagSet = std::array<FlagTemplate, 8>;

bool Matches(const CompiledTemplate& compiled, std::string_view line, SlotTexts& slots) {
  return MatchTemplate(compiled, line, slots) == TemplateResult::kMatch;
}

std::optional<TeamMember> MatchTeamTemplates(std::span<const TeamTemplate> templates,
                                             std::string_view line) {
  SlotTexts slots;
  for (const TeamTemplate& entry : templates) {
    if (Matches(entry.compiled, line, slots)) return TeamMember{slots.killer, entry.team};
  }
  return std::nullopt;
}

const FlagSet& PlainFlagTemplates() {
  using enum FlagEventKind;
  static const FlagSet set = {{
      {CompiledTemplate("<VICTIM><MSG> dropped the Red flag!</MSG>"), kDropped, kBlue},
      {CompiledTemplate("<VICTIM><MSG> dropped the Blue flag!</MSG>"), kDropped, kRed},
      {CompiledTemplate("<KILLER><MSG> returned the BLUE flag!</MSG>"), kReturned, kBlue},
      {CompiledTemplate("<KILLER><MSG> returned the RED flag!</MSG>"), kReturned, kRed},
      {CompiledTemplate("<KILLER><MSG> captured the Red flag!</MSG>"), kCaptured, kBlue},
      {CompiledTemplate("<KILLER><MSG> captured the Blue flag!</MSG>"), kCaptured, kRed},
      {CompiledTemplate("<KILLER><MSG> has taken the Blue flag!</MSG>"), kTaken, kRed},
      {CompiledTemplate("<KILLER><MSG> has taken the Red flag!</MSG>"), kTaken, kBlue},
  }};
  return set;
}

const FlagSet& ColourFlagTemplates() {
  using enum FlagEventKind;
  static const FlagSet set = {{
      {CompiledTemplate("<MSG>^4</MSG><VICTIM><MSG>^7 dropped the ^1Red^7 flag!</MSG>"), kDropped,
       kBlue},
      {CompiledTemplate("<MSG>^1</MSG><VICTIM><MSG>^7 dropped the ^4Blue^7 flag!</MSG>"), kDropped,
       kRed},
      {CompiledTemplate("<KILLER><MSG> returned the BLUE flag!</MSG>"), kReturned, kBlue},
      {CompiledTemplate("<KILLER><MSG> returned the RED flag!</MSG>"), kReturned, kRed},
      {CompiledTemplate("<MSG>^4</MSG><KILLER><MSG>^7 captured the ^1Red flag!</MSG>"), kCaptured,
       kBlue},
      {CompiledTemplate("<MSG>^1</MSG><KILLER><MSG>^7 captured the ^4Blue flag!</MSG>"), kCaptured,
       kRed},
      {CompiledTemplate("<MSG>^1</MSG><KILLER><MSG>^7 has taken the ^4Blue^7 flag!</MSG>"), kTaken,
       kRed},
      {CompiledTemplate("<MSG>^4</MSG><KILLER><MSG>^7 has taken the ^1Red^7 flag!</MSG>"), kTaken,
       kBlue},
  }};
  return set;
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

std::optional<Rename> MatchRename(std::string_view line_with_dot) {
  static const CompiledTemplate rename("<KILLER><MSG> renamed to </MSG><VICTIM><MSG>.</MSG>");
  SlotTexts slots;
  if (!Matches(rename, line_with_dot, slots)) return std::nullopt;
  return Rename{slots.killer, slots.victim};
}

std::optional<TeamMember> MatchTeamColour(std::string_view line_with_dot) {
  static const std::array<TeamTemplate, 2> colours = {{
      {CompiledTemplate("<MSG>^4</MSG><KILLER><MSG>^7</MSG><VICTIM><MSG>.</MSG>"), kBlue},
      {CompiledTemplate("<MSG>^1</MSG><KILLER><MSG>^7</MSG><VICTIM><MSG>.</MSG>"), kRed},
  }};
  return MatchTeamTemplates(colours, line_with_dot);
}

std::optional<TeamMember> MatchTeamJoin(std::string_view line) {
  static const std::array<TeamTemplate, 2> joins = {{
      {CompiledTemplate("<KILLER><MSG> joined the red team.</MSG>"), kRed},
      {CompiledTemplate("<KILLER><MSG> joined the blue team.</MSG>"), kBlue},
  }};
  return MatchTeamTemplates(joins, line);
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

std::optional<FlagEvent> MatchFlag(std::string_view line, bool monitor) {
  SlotTexts slots;
  for (const FlagTemplate& entry : monitor ? PlainFlagTemplates() : ColourFlagTemplates()) {
    if (!Matches(entry.compiled, line, slots)) continue;
    // Each flag template has one slot; the other reads AbsentMark.
    const std::string_view nick =
        entry.compiled.first_slot() == SlotKind::kKiller ? slots.killer : slots.victim;
    return FlagEvent{nick, entry.team, entry.kind};
  }
  return std::nullopt;
}

}  // namespace mrv
