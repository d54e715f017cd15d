#include "capture/line_handling.h"

#include "capture/interpreter.h"
#include "capture/replies.h"
#include "model/text.h"

namespace mrv {

namespace {

// Echoed in-game commands: the command word and one blank, in any letter case.
bool AnswerInGameCommand(CaptureSession& session, std::string_view line) {
  constexpr std::string_view kNickStats = "MRV_GETNICKSTATS ";
  if (EqualsIgnoreCase(line, "MRV_HEADSHOT ")) {
    const bool headshot = session.state.options.headshot_sound.Toggle();
    if (session.headshot_switched) session.headshot_switched(headshot);
    session.Type(TypedLine(headshot ? "ut_echo Headshot sound enabled."
                                    : "ut_echo Headshot sound disabled."));
  } else if (EqualsIgnoreCase(line, "MRV_GETMYSTATS ")) {
    session.Type(BuildStatsReply(session, session.current_map().own_nick, true, true));
  } else if (EqualsIgnoreCase(line, "MRV_GETHITSTATS ")) {
    session.Type(BuildHitReply(session));
  } else if (line.size() >= kNickStats.size() &&
             EqualsIgnoreCase(line.substr(0, kNickStats.size()), kNickStats)) {
    // The nickname as printed, without the blank the echo ends with.
    std::string_view nick = line.substr(kNickStats.size());
    if (!nick.empty()) nick.remove_suffix(1);
    session.Type(BuildStatsReply(session, nick, true, true));
  } else {
    return false;
  }
  return true;
}

}  // namespace

void BeginRun(CaptureSession& session) {
  session.state.context.map_counter = 1;
  OpenProvisionalMap(session);
  RunReset(session.state);
}

bool HandleCaptureLine(CaptureSession& session, std::string_view line) {
  if (line.size() <= 2) return true;
  if (session.monitor()) {
    if (line.starts_with("^5PunkBuster Client:")) return true;
    if (AnswerInGameCommand(session, line)) return true;
  }
  const bool consumed = InterpretLine(session, line);
  if (session.store.full()) {
    session.services.prompt.Error(kStoreFullMessage, "Error");
    return false;
  }
  if (consumed) return true;
  if (session.state.context.weapon_index < 0) return false;
  PushRecentLine(session.state.context, line);
  return true;
}

void ArmCyclicReplies(const CaptureSession& session, CyclicReplySchedule& schedule,
                      std::int32_t now) {
  const CaptureOptions& options = session.state.options;
  if (options.cyclic_stats) schedule.next_frag_stats = SaturatingAdd(now, options.stats_every_seconds);
  if (options.cyclic_hits) schedule.next_hit_stats = SaturatingAdd(now, options.hits_every_seconds);
}

void SendDueCyclicReplies(CaptureSession& session, CyclicReplySchedule& schedule,
                          std::int32_t now) {
  if (session.current_map().start_time == 0) return;
  const CaptureOptions& options = session.state.options;
  // A reply that cannot be announced now stays due for a later poll.
  if (options.cyclic_stats && now > schedule.next_frag_stats && session.MayAnnounce()) {
    schedule.next_frag_stats = SaturatingAdd(now, options.stats_every_seconds);
    session.Type(BuildStatsReply(session, session.current_map().own_nick, true, true));
  }
  if (options.cyclic_hits && now > schedule.next_hit_stats && session.MayAnnounce()) {
    schedule.next_hit_stats = SaturatingAdd(now, options.hits_every_seconds);
    session.Type(BuildHitReply(session));
  }
}

}  // namespace mrv
