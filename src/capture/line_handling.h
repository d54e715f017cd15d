// The steps both capture drivers share: starting a run, handling one new line, and
// the timed stats replies of the console monitor.
#pragma once

#include <cstdint>
#include <string_view>

#include "capture/capture_session.h"

namespace mrv {

inline constexpr char kStoreFullMessage[] =
    "There are too many players and maps to keep in memory!\r\nThe capture stops here; the "
    "maps counted so far are kept.";

// The first map "<map1>" and the run reset. The console monitor also sets the map's
// start time; a log file has none.
void BeginRun(CaptureSession& session);

// Handles one line as read from the console or the log: too short lines are skipped;
// while monitoring, PunkBuster lines are skipped and the player's in-game commands are
// answered; anything else goes to the interpreter and, unless it consumed the line,
// into RecentLines. False when the capture must end: a kill of an unknown weapon, or a
// store that reached its memory budget (told to the player here).
bool HandleCaptureLine(CaptureSession& session, std::string_view line);

// When the next cyclic replies are due, in tick seconds.
struct CyclicReplySchedule {
  std::int32_t next_frag_stats = 0;
  std::int32_t next_hit_stats = 0;
};

// Arms the cyclic replies that are switched on, counting from now.
void ArmCyclicReplies(const CaptureSession& session, CyclicReplySchedule& schedule,
                      std::int32_t now);

// Sends the cyclic replies that are due strictly before now, each rescheduled from
// now. The monitor calls it on a poll in which the console text did not change; there
// are none before the map has a start time.
void SendDueCyclicReplies(CaptureSession& session, CyclicReplySchedule& schedule, std::int32_t now);

}  // namespace mrv
