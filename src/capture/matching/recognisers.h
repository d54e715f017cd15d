// The built-in recognisers of console events other than kills. Every text they return
// is a view into the line they were given.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "capture/matching/literal.h"

namespace mrv {

struct Rename {
  std::string_view old_nick;
  std::string_view new_nick;
};

// A nickname with the team it belongs to (1 red, 2 blue).
struct TeamMember {
  std::string_view nick;
  std::uint8_t team = 0;
};

enum class HitDirection : std::uint8_t { kGiven, kTaken };

struct Hit {
  HitDirection direction = HitDirection::kGiven;
  int location = 0;  // index into HitLocations
  std::string_view nick;
};

enum class FlagEventKind : std::uint8_t { kCaptured = 0, kReturned = 1, kDropped = 2, kTaken = 3 };

struct FlagEvent {
  std::string_view nick;
  std::uint8_t team = 0;  // the team of the player named
  FlagEventKind kind = FlagEventKind::kCaptured;
};

// Each recogniser first turns away, inline, the lines that cannot be what it reads:
// most console lines are none of them, and cost no call. The rest of its reading is in
// recognisers.cpp, under the name it has in namespace `reading`.
namespace reading {
std::optional<Rename> RenameAt(std::string_view line, std::size_t at);
std::optional<TeamMember> TeamColour(std::string_view line);
std::optional<TeamMember> TeamJoinLine(std::string_view line);
std::optional<Hit> HitLine(std::string_view line);
std::optional<FlagEvent> FlagLine(std::string_view line, bool monitor);
// What every rename holds, every team join and every flag message ends with.
inline const Literal kRenamedTo(" renamed to ");
inline constexpr std::string_view kJoinEnd = " team.";
inline constexpr char kFlagEnd = '!';
}  // namespace reading

// Both read the line as their templates read it with "." appended, without copying it.
inline std::optional<Rename> MatchRename(std::string_view line) {
  const std::size_t at = reading::kRenamedTo.FindIn(line);
  if (at == std::string_view::npos) return std::nullopt;
  return reading::RenameAt(line, at);
}
inline std::optional<TeamMember> MatchTeamColour(std::string_view line) {
  // A colour code first, "^4" or "^1".
  if (line.size() < 2 || line[0] != '^' || (line[1] != '4' && line[1] != '1')) return std::nullopt;
  return reading::TeamColour(line);
}
// The same through the templates, given the line with "." appended: the plain forms
// the tests and the interpreter's fuzz target compare the fast ones with.
std::optional<Rename> MatchRenamePlain(std::string_view line_with_dot);
std::optional<TeamMember> MatchTeamColourPlain(std::string_view line_with_dot);

inline std::optional<TeamMember> MatchTeamJoin(std::string_view line) {
  if (!line.ends_with(reading::kJoinEnd)) return std::nullopt;
  return reading::TeamJoinLine(line);
}
// The same through its templates: the plain form.
std::optional<TeamMember> MatchTeamJoinPlain(std::string_view line);
// The game's answer to "mapname"; a saved log keeps the "^7" colour reset that the
// console window strips, so log-file mode drops the value's last two characters.
std::optional<std::string_view> MatchMapName(std::string_view line, bool monitor);
inline std::optional<Hit> MatchHit(std::string_view line) {
  // "You hit " or "You were hit in the ".
  if (line.empty() || line[0] != 'Y') return std::nullopt;
  return reading::HitLine(line);
}
// The same trying every location in table order: the plain form.
std::optional<Hit> MatchHitPlain(std::string_view line);
// The console window prints flag events without colour codes, a saved log with them.
inline std::optional<FlagEvent> MatchFlag(std::string_view line, bool monitor) {
  if (line.empty() || line.back() != reading::kFlagEnd) return std::nullopt;
  return reading::FlagLine(line, monitor);
}
// The same through its templates: the plain form.
std::optional<FlagEvent> MatchFlagPlain(std::string_view line, bool monitor);

}  // namespace mrv
