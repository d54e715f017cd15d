// The in-game reactions to hits, kills and captures: the headshot sound, the location
// streaks and the praise of the leading fragger or capturer. Streaks advance in both
// modes; sounds and announcements happen only while monitoring the game.
#pragma once

#include <string_view>

#include "capture/capture_session.h"
#include "capture/matching/recognisers.h"

namespace mrv {

// At every hit, before it is counted.
void ApplyHitRules(CaptureSession& session, const Hit& hit);
// At an own kill right after an own hit at `location`.
void ApplyKillStreak(CaptureSession& session, int location);
// At an own death right after a hit taken at `location`.
void ApplyDeathStreak(CaptureSession& session, int location);
// At every kill, once TopKills is up to date.
void ApplyTopFragger(CaptureSession& session, std::string_view killer, std::string_view victim,
                     int killer_index);
// At every capture, once TopCaps is up to date.
void ApplyCapHigh(CaptureSession& session, std::string_view capturer, int capturer_index);

}  // namespace mrv
