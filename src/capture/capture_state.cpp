#include "capture/capture_state.h"

namespace mrv {

void RunReset(CaptureState& state) {
  CaptureContext& context = state.context;
  context.RecentLines[0].clear();
  context.RecentLines[1].clear();
  context.MapJustOpened = true;
  context.GameStartPending = true;
  state.counters = GameCounters{};
}

void GameReset(CaptureState& state) {
  state.counters = GameCounters{};
  state.streaks.HitStreak.count = 0;
  state.streaks.KillStreak.count = 0;
  state.streaks.DeathStreak.count = 0;
  state.context.GameStartPending = false;
}

void PushRecentLine(CaptureContext& context, std::string_view text) {
  // Appending into the room the entry kept is cheaper than assigning, which allows for
  // overlap: the text never overlaps the entry.
  std::string& entry = context.RecentLines.Push();
  entry.clear();
  entry += text;
}

}  // namespace mrv
