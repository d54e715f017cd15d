#include "capture/streaks.h"

#include <string>

#include "capture/replies.h"
#include "model/body.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr int kHead = 0;
constexpr int kNeck = 1;
constexpr int kHelmet = 2;
constexpr int kKevlarVest = 7;

void Advance(Streak& streak, int location) {
  if (streak.last_location == location) {
    Bump(streak.count);
  } else {
    streak.last_location = static_cast<std::uint8_t>(location);
    streak.count = 1;
  }
}

std::string LocationName(int location) {
  return std::string(HitLocations[static_cast<std::size_t>(location)]);
}

// Head-area streaks are worth telling from the second kill, others from the third,
// body-armour ones never.
void AnnounceLocationStreak(CaptureSession& session, const Streak& streak, std::string_view what) {
  if (!session.monitor() || !session.state.options.streak_announcements) return;
  const int location = streak.last_location;
  const bool head_area = location == kHead || location == kNeck || location == kHelmet;
  if (((head_area && streak.count > 1) || (location != kKevlarVest && streak.count > 2)) &&
      session.MayAnnounce()) {
    session.Type(TypedLine("ut_echo That's " + std::to_string(streak.count) + std::string(what) +
                           LocationName(location) + " shot in a row!!"));
  }
}

}  // namespace

void ApplyHitRules(CaptureSession& session, const Hit& hit) {
  const CaptureOptions& options = session.state.options;
  if (session.monitor() && hit.direction == HitDirection::kGiven &&
      (hit.location == kHead || hit.location == kHelmet) && options.headshot_sound) {
    session.services.sound.Play(Sound::Headshot);
  }
  Streak& streak = session.state.streaks.HitStreak;
  Advance(streak, hit.location);
  if (!session.monitor() || !options.streak_announcements || streak.count <= 4) return;
  if (session.services.random.Next(5) > 2 && session.MayAnnounce()) {
    session.Type(TypedLine("ut_echo " + std::to_string(streak.count) + " " +
                           LocationName(hit.location) + " shots in a row!"));
  }
}

void ApplyKillStreak(CaptureSession& session, int location) {
  Streak& streak = session.state.streaks.KillStreak;
  Advance(streak, location);
  AnnounceLocationStreak(session, streak, " kills by ");
}

void ApplyDeathStreak(CaptureSession& session, int location) {
  Streak& streak = session.state.streaks.DeathStreak;
  Advance(streak, location);
  AnnounceLocationStreak(session, streak, " deaths by ");
}

void ApplyTopFragger(CaptureSession& session, std::string_view killer, std::string_view victim,
                     int killer_index) {
  const std::int32_t top = session.state.counters.TopKills;
  if (!session.monitor() || !session.state.options.frag_announcements || top <= 0 || killer == victim) return;
  const std::int64_t kills = KillsOf(session.current_map(), killer_index);
  Random& random = session.services.random;
  if (!(random.Next(190) < 100 && kills == top) || !session.MayAnnounce()) return;
  session.Type(BuildStatsReply(session, killer, true, false));
  if (random.Next(180) < 100 && session.Pause())
    session.Type(TypedLine("ut_echo ").AddFromGame(killer).Add(" is a top fragger!"));
}

void ApplyCapHigh(CaptureSession& session, std::string_view capturer, int capturer_index) {
  const std::int32_t top = session.state.counters.TopCaps;
  if (!session.monitor() || !session.state.options.frag_announcements || top <= 0) return;
  const std::int32_t caps = session.current_map().caps[static_cast<std::size_t>(capturer_index)];
  if (!(session.services.random.Next(190) < 100 && caps == top) || !session.MayAnnounce()) return;
  session.Type(BuildStatsReply(session, capturer, false, true));
  if (session.Pause())
    session.Type(TypedLine("ut_echo ").AddFromGame(capturer).Add(" has a flag cap high!"));
}

}  // namespace mrv
