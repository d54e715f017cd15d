// Recovering a capture from its journal (capture_recorder.h): the console monitor runs
// again, on this thread, against a console, a clock, a random source and a prompt that
// give back what the journal holds: each piece of console text at the moment it was
// read, the game found and lost, the clock readings and draws and answers of the live
// run. Nothing is typed and nothing waits: the replay takes as long as interpreting the
// text does. It builds the store the capture had when the journal ended.
//
//   JournalReplay replay;
//   if (!replay.Open(file, error)) ...;               // no journal, or a damaged setup
//   StatsStore store(replay.weapons().size());
//   const RecoveryReport report = replay.Run(store);  // once
//
// A damaged, cut or hostile journal is replayed up to the damage; the report says
// where reading stopped. The store's budget holds as in any capture.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "capture/monitor_run.h"
#include "files/journal_reader.h"
#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv {

struct RecoveryReport {
  std::string started;  // "yyyy-mm-dd hh:mm:ss", local time
  // Where reading stopped, "at byte N: why"; empty when the journal was read to its end.
  std::string damage;
  // The capture had ended on purpose (it was then kept for its game).
  bool ended = false;
  // Why journaling had stopped while the capture went on; empty when it had not.
  std::string journaling_stopped;
  MonitorEnd end = MonitorEnd::kStopped;
  // What the capture told on the way (a kill of an unknown weapon, a full store, ...).
  std::vector<std::string> messages;
};

class JournalReplay {
 public:
  // Reads the journal's setup. False, with why in `error`, when it cannot be replayed.
  bool Open(const std::filesystem::path& file, std::string& error);
  const std::string& started() const { return reader_.setup().started; }
  // The weapon table the capture used, which the store must be made for.
  const WeaponTable& weapons() const { return weapons_; }
  // Replays the run into the store, which must be empty and made for weapons().
  RecoveryReport Run(StatsStore& store);

 private:
  JournalReader reader_;
  WeaponTable weapons_;
  DeathTemplates templates_;
  GameTexts texts_;
};

// "2024-05-01 21:07" of a start "2024-05-01 21:07:32": the recovered game's name, which a
// game captured then would have had.
std::string RecoveredGameName(const std::string& started);

}  // namespace mrv
