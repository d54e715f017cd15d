#include "capture/interpreter.h"

#include <algorithm>
#include <limits>
#include <string>

#include "product.h"
#include "capture/matching/recognisers.h"
#include "capture/replies.h"
#include "capture/streaks.h"
#include "model/text.h"

namespace mrv {

namespace {

// Event markers stand in RecentLines in place of hit and flag lines: byte 255, three
// letters, a code byte (hit location or team) and the nickname.
constexpr std::string_view kHitGiven = "\xFFHIT";
constexpr std::string_view kHitTaken = "\xFFWER";
constexpr std::string_view kCaptured =
    "\xFF"
    "CAP";
constexpr std::string_view kReturned = "\xFFRET";
constexpr std::string_view kDropped =
    "\xFF"
    "DRP";
constexpr std::string_view kTaken = "\xFFTAK";
constexpr std::size_t kMarkerCodeAt = 4;
constexpr std::size_t kMarkerNickAt = 5;
constexpr std::uint8_t kBlue = 2;

void PushMarker(CaptureContext& context, std::string_view tag, std::uint8_t code,
                std::string_view nick) {
  std::string& marker = context.RecentLines.Push();
  marker.clear();  // as PushRecentLine does
  marker += tag;
  marker += static_cast<char>(code);
  marker += nick;
}

// The hit location of a marker of the given kind, or -1. A log line that merely looks
// like a marker can carry any byte, so the location is checked.
int MarkerLocation(const std::string& entry, std::string_view tag) {
  if (entry.size() <= kMarkerCodeAt || !entry.starts_with(tag)) return -1;
  const int location = static_cast<unsigned char>(entry[kMarkerCodeAt]);
  return location < kHitLocationCount ? location : -1;
}

bool IsDropOf(const std::string& entry, std::string_view victim) {
  return entry.size() >= kMarkerNickAt && entry.starts_with(kDropped) &&
         std::string_view(entry).substr(kMarkerNickAt) == victim;
}

std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

bool IsOwnPlayer(const CaptureSession& session, std::string_view nick) {
  if (nick == session.state.context.current_map->own_nick) return true;
  const std::vector<std::string>& profile_nicks = session.state.options.own_nicknames;
  return std::any_of(profile_nicks.begin(), profile_nicks.end(),
                     [nick](const std::string& own) { return EqualsIgnoreCase(own, nick); });
}

// The own player's kills and deaths as the map's kill table holds them (his suicides
// are deaths): what counting them as they came would have given.
void CountOwnFromKillTable(MapRecord& map) {
  const int own = NickIndex(map, map.own_nick);
  std::int64_t kills = 0;
  std::int64_t deaths = 0;
  for (const KillTable::Cell& cell : map.kill_table().cells()) {
    if (own < 0 || cell.weapon() >= map.weapon_count) continue;
    if (cell.killer() == own && cell.victim() != own) kills += cell.count;
    if (cell.victim() == own) deaths += cell.count;
  }
  map.own_kills = ClampToInt32(kills);
  map.own_deaths = ClampToInt32(deaths);
}

// The game names the player. What was read of him before (a capture started after the
// game, lines read in one go with the map's start before the game could answer) counts
// for him from the kill table: on this map and on the maps of this run read before the
// name came, which hold him under that name.
void LearnOwnNick(CaptureSession& session, std::string_view line, std::size_t answer_length) {
  const std::size_t quote = line.find('"', answer_length);
  if (quote == std::string_view::npos || quote + 1 == line.size()) return;
  const std::string_view nick = line.substr(answer_length, quote - answer_length);
  MapRecord& current = session.current_map();
  if (!IsStorableNick(nick) || current.own_nick == nick) return;
  const bool unnamed = current.own_nick == AbsentMark;
  current.own_nick.assign(nick);
  CountOwnFromKillTable(current);
  if (!unnamed) return;
  // Earlier maps' nick lists learn their renames when the store settles.
  if (!session.plain) session.names.Settle();
  auto& maps = session.store.maps;
  for (auto map = maps.rbegin(); map != maps.rend(); ++map) {
    if (map->get() == &current) continue;
    if ((*map)->own_nick != AbsentMark) break;
    if (NickIndex(**map, nick) < 0) continue;
    (*map)->own_nick.assign(nick);
    CountOwnFromKillTable(**map);
  }
}

// A nickname a saved game could not hold back is not counted, as one beyond a full map:
// one that reads as a marker of the saved game, and one too long or with a line break,
// which the store refuses to add (a nickname found on the map equals one it took,
// letter case aside, so it is neither).
int FindOrAdd(CaptureSession& session, std::string_view nick, std::uint8_t team) {
  if (IsSavedGameMarker(nick)) return -1;
  MapRecord& map = session.current_map();
  return session.plain ? FindOrAddNick(map, nick, team) : session.names.FindOrAdd(map, nick, team);
}

void RenameEverywhere(CaptureSession& session, const Rename& rename) {
  session.state.context.MapJustOpened = false;
  // The engine prints the old name followed by a colour reset ("OLD^7 renamed to NEW");
  // the console window hides it, a saved log keeps it. A name that really ends with
  // "^7" is still found first as printed.
  if (!IsStorableNick(rename.new_nick)) return;
  const std::string_view old_nick = rename.old_nick;
  MapRecord& current = session.current_map();
  if (current.own_nick == old_nick ||
      (old_nick.ends_with("^7") && current.own_nick == old_nick.substr(0, old_nick.size() - 2))) {
    current.own_nick.assign(rename.new_nick);
  }
  if (session.plain) {
    RenameInEveryMap(session.store, old_nick, rename.new_nick);
  } else {
    session.names.Rename(old_nick, rename.new_nick);
  }
}

void NameMap(CaptureSession& session, std::string_view name) {
  CaptureContext& context = session.state.context;
  // Only the first answer on a map is news to the player.
  const bool unnamed = session.current_map().name.starts_with('<');
  if (IsStorableName(name)) session.current_map().name.assign(name);
  context.MapJustOpened = false;
  context.GameStartPending = false;
  if (unnamed && session.Type(TypedLine("ut_echo MRV: Map name detected!"))) session.Pause();
}

// The line before "CL_InitCGame: " tells whether the engine has loaded a map.
bool FollowsMapLoadMark(const CaptureSession& session) {
  const std::string& previous = session.state.context.RecentLines[1];
  return previous == "8 crosshairs parsed" || session.game_texts.MarksMapLoad(previous);
}

// "CL_InitCGame: " after a map-load mark: the engine has loaded a map.
void MapLoaded(CaptureSession& session) {
  CaptureContext& context = session.state.context;
  if (session.monitor() && context.GameStartPending) StartGame(session);
  if (context.MapJustOpened) {
    context.MapJustOpened = false;
    return;
  }
  OpenNewMap(session);
}

void SearchPathListed(CaptureSession& session) {
  if (!session.state.context.MapJustOpened) OpenNewMap(session);
}

void JoinTeam(CaptureSession& session, const TeamMember& member) {
  session.state.context.MapJustOpened = false;
  CheckGameStart(session);
  FindOrAdd(session, member.nick, member.team);
}

// The game texts' hit forms come first: the older test would read a damage line's
// attacker with the damage part as part of the nickname.
std::optional<Hit> MatchOwnHit(const GameTexts& texts, std::string_view line, bool plain) {
  if (auto hit = texts.MatchHit(line)) return hit;
  return plain ? MatchHitPlain(line) : MatchHit(line);
}

void CountHit(CaptureSession& session, const Hit& hit) {
  session.state.context.MapJustOpened = false;
  ApplyHitRules(session, hit);
  CheckGameStart(session);
  MapRecord& map = session.current_map();
  if (FindOrAdd(session, hit.nick, 0) < 0) return;
  const auto location = static_cast<std::size_t>(hit.location);
  const bool given = hit.direction == HitDirection::kGiven;
  Bump(given ? map.hits[location] : map.hits_taken[location]);
  Bump(given ? session.state.counters.GameHitsGiven : session.state.counters.GameHitsTaken);
  PushMarker(session.state.context, given ? kHitGiven : kHitTaken,
             static_cast<std::uint8_t>(hit.location), hit.nick);
}

void SendFragReplies(CaptureSession& session, bool stats_reply, bool hit_reply) {
  if (!(stats_reply || hit_reply) || !session.MayAnnounce()) return;
  if (stats_reply)
    session.Type(BuildStatsReply(session, session.current_map().own_nick, true, true));
  if (hit_reply && (!stats_reply || session.Pause())) session.Type(BuildHitReply(session));
}

void CountOwnFrag(CaptureSession& session, std::string_view killer, std::string_view victim) {
  MapRecord& map = session.current_map();
  const CaptureOptions& options = session.state.options;
  if (killer == map.own_nick) {
    Bump(victim == map.own_nick ? map.own_deaths : map.own_kills);
    SendFragReplies(session, options.stats_after_kill, options.hits_after_kill);
  } else if (victim == map.own_nick) {
    Bump(map.own_deaths);
    SendFragReplies(session, options.stats_after_death, options.hits_after_death);
  }
}

// The own player's kill or death is filed under the location of the hit just before.
void CountDecidingHit(CaptureSession& session, std::string_view killer, std::string_view victim) {
  MapRecord& map = session.current_map();
  const std::string& previous = session.state.context.RecentLines[1];
  if (IsOwnPlayer(session, killer)) {
    const int location = MarkerLocation(previous, kHitGiven);
    if (location < 0) return;
    ApplyKillStreak(session, location);
    Bump(map.killing_hits[static_cast<std::size_t>(location)]);
  } else if (IsOwnPlayer(session, victim)) {
    const int location = MarkerLocation(previous, kHitTaken);
    if (location < 0) return;
    ApplyDeathStreak(session, location);
    Bump(map.last_hits_taken[static_cast<std::size_t>(location)]);
  }
}

void CountCarrierKill(MapRecord& map, int killer, int victim, char team) {
  Bump(map.carrier_kills[static_cast<std::size_t>(killer)]);
  Bump(map.flags_taken[static_cast<std::size_t>(victim)]);
  const bool blue = static_cast<std::uint8_t>(team) == kBlue;
  Bump(blue ? map.blue_flags_taken : map.red_flags_taken);
  Bump(blue ? map.blue_carrier_kills : map.red_carrier_kills);
}

// A kill of a player who dropped the flag on one of the last two lines counts the take
// again; a drop on the line just before is used up.
void CountFlagCarrierKill(CaptureSession& session, std::string_view victim, int k, int v) {
  RecentPair& recent = session.state.context.RecentLines;
  if (IsDropOf(recent[1], victim)) {
    CountCarrierKill(session.current_map(), k, v, recent[1][kMarkerCodeAt]);
    recent[1].assign(1, ' ');  // used up
  } else if (IsDropOf(recent[0], victim)) {
    CountCarrierKill(session.current_map(), k, v, recent[0][kMarkerCodeAt]);
  }
}

// Returns the interpreter's result for a kill line. Colour-wrapped names count as the
// names they wrap, the ones the same players' hits, flags and team changes carry.
bool CountKill(CaptureSession& session, Kill kill) {
  kill.killer = session.game_texts.Unwrapped(kill.killer);
  kill.victim = session.game_texts.Unwrapped(kill.victim);
  CaptureContext& context = session.state.context;
  context.MapJustOpened = false;
  CheckGameStart(session);
  context.weapon_index = kill.weapon;
  if (kill.weapon < 0) {
    session.services.prompt.Error(
        "Your DeathMsgs.txt file or stats.ini file seems corrupted!\r\nYou may get the most recent "
        "version at " +
            std::string(kHomePage) + "\r\nThe stats can be wrong!",
        "Error");
    return false;
  }
  if (session.monitor() && session.weapons.code(kill.weapon) == session.templates.MonkeyCode()) {
    session.services.sound.Play(Sound::Monkey);
  }
  MapRecord& map = session.current_map();
  // A death without a killer is a suicide.
  const std::string_view killer = kill.killer == AbsentMark ? kill.victim : kill.killer;
  // A nickname the full map cannot take leaves the kill uncounted.
  const int killer_index = kill.killer == AbsentMark ? -1 : FindOrAdd(session, killer, 0);
  if (kill.killer != AbsentMark && killer_index < 0) return false;
  if (kill.victim == AbsentMark) return true;
  const int v = FindOrAdd(session, kill.victim, 0);
  if (v < 0) return false;
  const int k = killer_index < 0 ? v : killer_index;
  // Beyond the store's budget the kill is not counted, and the capture ends.
  if (!map.AddKill(k, kill.weapon, v)) return false;
  if (session.monitor()) {
    // Only the announcements read the lead, and only while monitoring: a log run saves
    // itself a pass over the killer's row per kill.
    std::int32_t& top_kills = session.state.counters.TopKills;
    top_kills = std::max(top_kills, ClampToInt32(KillsOf(map, k)));
    CountOwnFrag(session, killer, kill.victim);
    ApplyTopFragger(session, killer, kill.victim, k);
  }
  CountDecidingHit(session, killer, kill.victim);
  CountFlagCarrierKill(session, kill.victim, k, v);
  return false;
}

void CountFlagEvent(CaptureSession& session, const FlagEvent& event) {
  CaptureContext& context = session.state.context;
  context.MapJustOpened = false;
  CheckGameStart(session);
  MapRecord& map = session.current_map();
  const int index = FindOrAdd(session, event.nick, event.team);
  if (index < 0) return;
  const auto i = static_cast<std::size_t>(index);
  const bool blue = event.team == kBlue;
  std::string_view tag;
  switch (event.kind) {
    case FlagEventKind::kCaptured: {
      Bump(map.caps[i]);
      std::int32_t& top_caps = session.state.counters.TopCaps;
      top_caps = std::max(top_caps, map.caps[i]);
      ApplyCapHigh(session, event.nick, index);
      Bump(blue ? map.blue_caps : map.red_caps);
      tag = kCaptured;
      break;
    }
    case FlagEventKind::kReturned:
      Bump(map.rets[i]);
      Bump(blue ? map.blue_rets : map.red_rets);
      tag = kReturned;
      break;
    case FlagEventKind::kDropped:
      // The take is undone unless a kill of the carrier follows (see the kill).
      if (map.flags_taken[i] > 0) {
        map.flags_taken[i] = SaturatingAdd(map.flags_taken[i], -1);
        // The player's take may have been of the other flag: the team's count of this
        // one never goes below zero.
        std::int32_t& team_taken = blue ? map.blue_flags_taken : map.red_flags_taken;
        if (team_taken > 0) team_taken = SaturatingAdd(team_taken, -1);
      }
      tag = kDropped;
      break;
    case FlagEventKind::kTaken:
      Bump(map.flags_taken[i]);
      Bump(blue ? map.blue_flags_taken : map.red_flags_taken);
      tag = kTaken;
      break;
  }
  PushMarker(context, tag, event.team, event.nick);
}

}  // namespace

void CheckGameStart(CaptureSession& session) {
  CaptureContext& context = session.state.context;
  if (!session.monitor()) {
    context.GameStartPending = false;
  } else if (context.GameStartPending) {
    StartGame(session);
  }
}

void SettleStore(CaptureSession& session) {
  session.names.Settle();
  for (const auto& map : session.store.maps) CompactMap(*map);
}

MapRecord& OpenProvisionalMap(CaptureSession& session) {
  CaptureContext& context = session.state.context;
  // The map that ends takes no more nicknames.
  if (context.current_map != nullptr) CompactMap(*context.current_map);
  MapRecord& map = NewMap(session.store, "<map" + std::to_string(context.map_counter) + ">");
  context.current_map = &map;
  context.NamesAsked = false;
  return map;
}

void OpenNewMap(CaptureSession& session) {
  CaptureContext& context = session.state.context;
  Bump(context.map_counter);
  const std::int32_t now = session.monitor() ? session.services.clock.TickSeconds() : 0;
  if (session.monitor()) {
    MapRecord& ending = session.current_map();
    ending.duration = SaturatingAdd(now, -static_cast<std::int64_t>(ending.start_time));
  }
  OpenProvisionalMap(session).start_time = now;
  context.GameStartPending = true;
  context.MapJustOpened = true;
}

bool InterpretLine(CaptureSession& session, std::string_view line) {
  constexpr std::string_view kNameAnswer = "\"name\" is:\"";
  CaptureContext& context = session.state.context;
  context.weapon_index = 1;
  // The engine's markers start with 'C', 'S' or a quote; most lines with none of them.
  const char first = line.empty() ? '\0' : line[0];
  if (first == 'C' && line.starts_with("Com_TouchMemory")) {
    CheckGameStart(session);
    return false;
  }
  if (first == '"' && session.monitor() && line.starts_with(kNameAnswer)) {
    LearnOwnNick(session, line, kNameAnswer.size());
    return false;
  }
  // Chat can quote any event's wording: it is a line that no test matches, which still
  // takes its place in RecentLines.
  if (session.game_texts.IsChat(line, session.monitor())) return false;
  const ConsoleLine classified(line);
  std::string with_dot;  // the plain forms read the line with "." appended
  if (session.plain) with_dot = std::string(line) + ".";
  if (const auto rename = session.plain ? MatchRenamePlain(with_dot) : MatchRename(line)) {
    RenameEverywhere(session, *rename);
  } else if (const auto map_name =
                 first == '"' ? MatchMapName(line, session.monitor()) : std::nullopt) {
    NameMap(session, *map_name);
  } else if (first == 'S' && line == "Shutting down OpenGL subsystem") {
    context.MapJustOpened = true;
  } else if (first == 'C' && line.starts_with("CL_InitCGame: ") && FollowsMapLoadMark(session)) {
    MapLoaded(session);
  } else if ((first == 'C' && line == "Current search path:") ||
             session.game_texts.IsSearchPath(line)) {
    SearchPathListed(session);
  } else if (const auto member = session.plain ? MatchTeamJoinPlain(line) : MatchTeamJoin(line)) {
    JoinTeam(session, *member);
  } else if (const auto hit = MatchOwnHit(session.game_texts, line, session.plain)) {
    CountHit(session, *hit);
    return true;
  } else if (const auto kill = MatchKill(session.templates, session.weapons, classified,
                                         session.template_notice, session.plain)) {
    return CountKill(session, *kill);
  } else if (const auto flag = session.plain ? MatchFlagPlain(line, session.monitor())
                                             : MatchFlag(line, session.monitor())) {
    CountFlagEvent(session, *flag);
    return true;
  } else if (session.plain ? MatchTeamColourPlain(with_dot) : MatchTeamColour(line)) {
    context.MapJustOpened = false;
  }
  return false;
}

}  // namespace mrv
