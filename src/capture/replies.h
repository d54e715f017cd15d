// What the capture types into the game: the stats replies and the game-start queries.
#pragma once

#include <string>
#include <string_view>

#include "capture/capture_session.h"
#include "capture/typed_line.h"

namespace mrv {

// The personal stats reply for a nickname of the current map, with the kill figures
// and with the flag figures as asked.
TypedLine BuildStatsReply(CaptureSession& session, std::string_view nick, bool with_frags,
                          bool with_flags);
// Hits given and taken in this game, by body group.
TypedLine BuildHitReply(CaptureSession& session);

// A game starts on the current map: the game counters restart, the sound output is
// warmed up silently, the start time is taken, and the game is asked for the map's
// name and the player's.
void StartGame(CaptureSession& session);

}  // namespace mrv
