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
  for (const KillTable::Cell& cell : map.kill_table().cells()) {
    if (cell.killer() == nick) figures.kills += cell.count;
    if (cell.victim() == nick && cell.killer() != nick) figures.deaths += cell.count;
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

TypedLine BuildStatsReply(CaptureSession& session, std::string_view nick, bool with_frags,
                          bool with_flags) {
  const MapRecord& map = session.current_map();
  const std::int64_t elapsed =
      static_cast<std::int64_t>(session.services.clock.TickSeconds()) - map.start_time;
  const std::string elapsed_text = FormatSeconds(elapsed);
  if (nick == AbsentMark)
    return TypedLine("ut_echo " + elapsed_text + " ^1No stats available yet^7");
  const int index = NickIndex(map, nick);
  if (index < 0) {
    return TypedLine("ut_echo " + elapsed_text + " ^1No stats available for ")
        .AddFromGame(nick)
        .Add(" yet^7");
  }
  const auto i = static_cast<std::size_t>(index);

  const bool own = nick == map.own_nick;
  TypedLine reply;
  if (own) {
    reply.Add("ut_echo Your stats: " + elapsed_text);
  } else {
    reply.Add("ut_echo ").AddFromGame(nick).Add(" stats:");
  }
  // Each group of figures is an echo of its own; the last one's quote is left open.
  if (with_frags) {
    const FragFigures frags =
        own ? FragFigures{map.own_kills, map.own_deaths} : FragsFromKillTable(map, index);
    reply.Add(";ut_echo \" ^2Kills:^7 " + std::to_string(frags.kills) + "     ^1Deaths:^7 " +
              std::to_string(frags.deaths));
    reply.Add(frags.deaths != 0 ? "     ^4K/D:^7 " + FormatRatio(static_cast<double>(frags.kills) /
                                                                 static_cast<double>(frags.deaths))
                                : std::string("     ^4K/D:^7 perfect"));
    if (own) {
      const std::int64_t minutes_begun = elapsed / 60 + 1;
      reply.Add("     ^4K/m:^7 " +
                FormatRatio(static_cast<double>(frags.kills) / static_cast<double>(minutes_begun)));
    }
    if (with_flags) reply.Add("\"");
  }
  if (with_flags) {
    reply.Add(";ut_echo \"^2Caps:^7 " + std::to_string(map.caps[i]) + "     ^2Rets:^7 " +
              std::to_string(map.rets[i]) + "     ^2FCK:^7 " +
              std::to_string(map.carrier_kills[i]));
  }
  return reply;
}

TypedLine BuildHitReply(CaptureSession& session) {
  const MapRecord& map = session.current_map();
  const GameCounters& counters = session.state.counters;
  return TypedLine("ut_echo \"^2Hits:^7 " + std::to_string(counters.GameHitsGiven) +
                   "     ^1Hits Taken:^7 " + std::to_string(counters.GameHitsTaken) + "\";" +
                   BodyGroups(map.hits, "^2") + "\";" + BodyGroups(map.hits_taken, "^1"));
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
    if (session.Type(TypedLine("mapname"))) session.state.context.NamesAsked = true;
    if (session.Pause()) {
      session.Type(TypedLine("name"));
      session.Pause();
    }
  }
}

}  // namespace mrv
