#include "capture/replies.h"

#include <cstdint>

#include "model/body.h"
#include "model/text.h"

namespace mrv {

namespace {

struct FragFigures {
  std::int64_t kills = 0;
  std::int64_t deaths = 0;
};

// Another player's figures from the kill table: his suicides count as his kills here.
FragFigures FragsFromKillTable(const MapRecord& map, int nick) {
  FragFigures figures;
  for (int w = 0; w < map.weapon_count; ++w) {
    for (int v = 0; v < map.nick_count(); ++v) {
      figures.kills += map.kills(nick, w, v);
      if (v != nick) figures.deaths += map.kills(v, w, nick);
    }
  }
  return figures;
}

std::int64_t SumRange(const LocationCounts& counts, int first, int last) {
  std::int64_t sum = 0;
  for (int i = first; i <= last; ++i) sum += counts[static_cast<std::size_t>(i)];
  return sum;
}

// Head, Body, Arms and Legs of one side of the hit reply.
std::string BodyGroups(const LocationCounts& counts, std::string_view colour) {
  const std::string c(colour);
  return "ut_echo \"" + c + "Head:^7 " + std::to_string(SumRange(counts, 0, 2)) + "     " + c +
         "Body:^7 " + std::to_string(SumRange(counts, 7, 16)) + "     " + c + "Arms:^7 " +
         std::to_string(SumRange(counts, 3, 6)) + "     " + c + "Legs:^7 " +
         std::to_string(SumRange(counts, 17, 20));
}

}  // namespace

std::string BuildStatsReply(CaptureSession& session, std::string_view nick, bool with_frags,
                            bool with_flags) {
  const MapRecord& map = session.current_map();
  const std::int64_t elapsed =
      static_cast<std::int64_t>(session.services.clock.TickSeconds()) - map.start_time;
  const std::string elapsed_text = FormatSeconds(elapsed);
  if (nick == AbsentMark) return "ut_echo " + elapsed_text + " ^1No stats available yet^7";
  const int index = NickIndex(map, nick);
  if (index < 0)
    return "ut_echo " + elapsed_text + " ^1No stats available for " + std::string(nick) + " yet^7";
  const auto i = static_cast<std::size_t>(index);

  const bool own = nick == map.own_nick;
  std::string reply = own ? "ut_echo Your stats: " + elapsed_text + ";ut_echo \""
                          : "ut_echo " + std::string(nick) + " stats:;ut_echo \"";
  if (with_frags) {
    const FragFigures frags =
        own ? FragFigures{map.own_kills, map.own_deaths} : FragsFromKillTable(map, index);
    reply += " ^2Kills:^7 " + std::to_string(frags.kills) + "     ^1Deaths:^7 " +
             std::to_string(frags.deaths);
    reply += frags.deaths != 0 ? "     ^4K/D:^7 " + FormatRatio(static_cast<double>(frags.kills) /
                                                                static_cast<double>(frags.deaths))
                               : std::string("     ^4K/D:^7 perfect");
    if (own) {
      const std::int64_t minutes_begun = elapsed / 60 + 1;
      reply += "     ^4K/m:^7 " +
               FormatRatio(static_cast<double>(frags.kills) / static_cast<double>(minutes_begun));
    }
  }
  if (with_flags) {
    reply += "\";ut_echo \"^2Caps:^7 " + std::to_string(map.caps[i]) + "     ^2Rets:^7 " +
             std::to_string(map.rets[i]) + "     ^2FCK:^7 " + std::to_string(map.fck[i]);
  }
  return reply;
}

std::string BuildHitReply(CaptureSession& session) {
  const MapRecord& map = session.current_map();
  const GameCounters& counters = session.state.counters;
  return "ut_echo \"^2Hits:^7 " + std::to_string(counters.GameHitsGiven) + "     ^1Hits Taken:^7 " +
         std::to_string(counters.GameHitsTaken) + "\";" + BodyGroups(map.hits, "^2") + "\";" +
         BodyGroups(map.hitstaken, "^1");
}

void StartGame(CaptureSession& session) {
  GameReset(session.state);
  // Playing both sounds once at zero volume loads them, so the first real one is on time.
  SoundPlayer& sound = session.services.sound;
  const int volume = sound.Volume();
  sound.SetVolume(0);
  sound.Play(Sound::Headshot);
  sound.Play(Sound::Monkey);
  sound.StopAll();
  sound.SetVolume(volume);
  session.current_map().start_time = session.services.clock.TickSeconds();
  // The game answers these queries with the lines that name the map and the player.
  if (session.Pause()) {
    session.Type("mapname");
    if (session.Pause()) {
      session.Type("name");
      session.Pause();
    }
  }
}

}  // namespace mrv
