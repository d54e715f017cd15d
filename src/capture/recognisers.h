// The built-in recognisers of console events other than kills. Every text they return
// is a view into the line they were given.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "capture/console_line.h"

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

// Both read the line as their templates read it with "." appended, without copying it.
std::optional<Rename> MatchRename(std::string_view line);
std::optional<TeamMember> MatchTeamColour(std::string_view line);
// The same through the templates, given the line with "." appended: the plain forms
// the tests and the interpreter's fuzz target compare the fast ones with.
std::optional<Rename> MatchRenamePlain(std::string_view line_with_dot);
std::optional<TeamMember> MatchTeamColourPlain(std::string_view line_with_dot);

std::optional<TeamMember> MatchTeamJoin(std::string_view line);
// The same through its templates: the plain form.
std::optional<TeamMember> MatchTeamJoinPlain(std::string_view line);
// The game's answer to "mapname"; a saved log keeps the "^7" colour reset that the
// console window strips, so log-file mode drops the value's last two characters.
std::optional<std::string_view> MatchMapName(std::string_view line, bool monitor);
std::optional<Hit> MatchHit(std::string_view line);
// The console window prints flag events without colour codes, a saved log with them.
std::optional<FlagEvent> MatchFlag(const ConsoleLine& line, bool monitor);
inline std::optional<FlagEvent> MatchFlag(std::string_view line, bool monitor) {
  return MatchFlag(ConsoleLine(line), monitor);
}

}  // namespace mrv
