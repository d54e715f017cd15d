// The game's console read from the log file it writes as it plays (qconsole.log, with
// the game started with "+set logfile 2"): for a game that runs without the bridge.
// Read-only: nothing can be typed into the game this way.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "capture/console/console_text.h"
#include "capture/console/game_console.h"

namespace mrv {

class LogFollowConsole final : public GameConsole {
 public:
  explicit LogFollowConsole(std::filesystem::path log_path);
  ~LogFollowConsole() override;
  LogFollowConsole(const LogFollowConsole&) = delete;
  LogFollowConsole& operator=(const LogFollowConsole&) = delete;

  // True when the log exists. The text starts empty and holds what is appended from
  // then on. After the game was lost the first Find fails, so that the capture notices
  // the loss as it would notice a closed window; the next one opens the new log and
  // reads it from its first line.
  bool Find() override;
  // Reads what was appended. A log that was cut short or started anew (the game was
  // launched again) is the game lost: 0, until the next Find.
  std::size_t TextLength() override;
  std::string Text() override;
  // Drops from the text held here; the file is never touched.
  bool DropRead(std::size_t length) override;
  bool TypeLine(const std::string& line) override;
  bool CanType() const override { return false; }
  // Sleeps on the log's folder (Linux) or just sleeps, never longer than a short bound.
  void WaitForChange(std::chrono::milliseconds timeout) override;

 private:
  // Reads the new end of the log; false when the game was lost.
  bool Refresh();
  void Lose();

  std::filesystem::path log_path_;
  ConsoleText text_;
  bool found_ = false;
  bool loss_unreported_ = false;
  bool start_at_beginning_ = false;
  std::uint64_t position_ = 0;
  // The first bytes of the log; a new launch writes a new first line (with the date).
  std::string head_;
  int watch_ = -1;
};

}  // namespace mrv
