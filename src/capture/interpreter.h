// Turns console lines into changes of the stats store: map changes, the map's and the
// player's names, renames, team changes, hits, kills and flag events, with the in-game
// reactions while monitoring.
#pragma once

#include <string_view>

#include "capture/capture_session.h"

namespace mrv {

// Interprets one line (the driver has already left out lines of two characters or
// fewer). True when the line is not to be kept in RecentLines: the interpreter kept a
// marker in its place or forgets it. After false the driver keeps the line, unless the
// weapon index turned negative: then the capture ends.
bool InterpretLine(CaptureSession& session, std::string_view line);

// Runs the game start when one is pending while monitoring; a log file only notes that
// the game started.
void CheckGameStart(CaptureSession& session);

// Brings every map of the store up to date: renamed nicknames written into the nick
// lists, every map compact. Every run does it when it ends; until then only the
// current map is sure to be up to date.
void SettleStore(CaptureSession& session);

// Creates the map "<mapN>" with the current map counter and makes it current.
MapRecord& OpenProvisionalMap(CaptureSession& session);

// The next map begins: the current one gets its duration, a new provisional map opens.
void OpenNewMap(CaptureSession& session);

}  // namespace mrv
