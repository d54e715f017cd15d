// Parsing a saved console log: the size probe, the run itself, and both together as
// the command-line tool and the main window use them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "capture/capture_session.h"
#include "files/prompt.h"

namespace mrv {

// The log's size in bytes; 0 for an empty file and for one that cannot be opened or is
// no regular file, such as a fifo or a device (then after telling the player so).
std::uint64_t GetLogFileSize(const std::filesystem::path& log, Prompt& prompt);

// Told the whole percentage of the log's bytes read, line breaks left out, each time it
// grows; told 100 when the run reached the end of the log.
using ProgressCallback = std::function<void(int percent)>;

// Told the bytes read so far, for a log whose size is not known beforehand.
using ByteProgressCallback = std::function<void(std::uint64_t bytes)>;

enum class LogRunEnd {
  kEndOfLog,       // read to the end
  kUnknownWeapon,  // a kill named a weapon the table does not hold; the maps so far stay
  kStoreFull,      // the store reached its memory budget; the maps so far stay
  kCancelled,
  kReadFailed,  // reading stopped before the end
  kNotOpened,
};

// Whether a run that ended this way has stats to show.
inline bool ShowsStats(LogRunEnd end) {
  return end == LogRunEnd::kEndOfLog || end == LogRunEnd::kUnknownWeapon ||
         end == LogRunEnd::kStoreFull;
}

// Reads the log line by line into the session's store, from a first map "<map1>".
// `file_size` is what GetLogFileSize found; it only scales the progress.
LogRunEnd RunLogFileCapture(CaptureSession& session, const std::filesystem::path& log,
                            std::uint64_t file_size, const ProgressCallback& progress = {});

struct LogParseResult {
  bool show_stats = false;
  // The run ended early, keeping the maps so far: on a kill of an unknown weapon, or at
  // the store's memory budget.
  bool unknown_weapon = false;
  bool store_full = false;
  // Why there are no stats: "Cancelled" or "Unable to parse log file!"; empty otherwise.
  std::string ErrorMessage;
};

// The size probe and the run. The messages on the way have been shown through the
// session's Prompt; the caller shows ErrorMessage unless it is "Cancelled".
LogParseResult ParseLogFile(CaptureSession& session, const std::filesystem::path& log,
                            const ProgressCallback& progress = {});

// A log that is not a regular file, such as a pipe, or "-" for standard input: read once
// from start to end, with no size to probe; the progress counts the bytes read, every
// 4 MB and at the end. An empty stream is "Unable to parse log file!" as an empty file.
LogParseResult ParseLogStream(CaptureSession& session, const std::filesystem::path& log,
                              const ByteProgressCallback& progress = {});

}  // namespace mrv
