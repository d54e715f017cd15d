#include "capture/log_file_run.h"

#include <cstdio>
#include <new>
#include <system_error>

#include "capture/interpreter.h"
#include "capture/line_handling.h"
#include "files/line_reader.h"
#include "files/open_file.h"

namespace mrv {

namespace {

// Console lines are short; a longer one is cut here, its bytes still counted.
constexpr std::size_t kMaxLogLine = 1 << 16;

// Reports the whole percentage read whenever it grows, with one comparison per line.
class ProgressTracker {
 public:
  ProgressTracker(std::uint64_t total, const ProgressCallback& callback)
      : total_(total), callback_(callback) {
    next_ = callback_ && total_ > 0 ? ThresholdOf(1) : UINT64_MAX;
  }

  // The whole log was read: line breaks, which the byte count leaves out, included.
  void Finish() {
    if (next_ != UINT64_MAX) callback_(100);
  }

  void Add(std::uint64_t bytes) {
    read_ += bytes;
    if (read_ < next_) return;
    const int percent = read_ >= total_ ? 100 : static_cast<int>(read_ * 100 / total_);
    callback_(percent);
    next_ = percent >= 100 ? UINT64_MAX : ThresholdOf(percent + 1);
  }

 private:
  // The first byte count at which the percentage reaches `percent`.
  std::uint64_t ThresholdOf(int percent) const {
    const auto p = static_cast<std::uint64_t>(percent);
    // Split to keep total_ * p from overflowing.
    return total_ / 100 * p + (total_ % 100 * p + 99) / 100;
  }

  std::uint64_t total_;
  const ProgressCallback& callback_;
  std::uint64_t read_ = 0;
  std::uint64_t next_;
};

bool OpenLog(LineReader& reader, const std::filesystem::path& log, Prompt& prompt) {
  if (log == "-") {
    reader.OpenStandardInput();
  } else if (!reader.Open(log)) {
    prompt.Inform("Unable to open file!\n\n\rThe file could be locked by another process.",
                  "ERROR!");
    return false;
  }
  return true;
}

// The run from the first map to the end of the log; `tracker` is told each line's bytes
// and the end.
template <typename Tracker>
LogRunEnd RunLines(CaptureSession& session, LineReader& reader, Tracker& tracker) {
  BeginRun(session);
  const CancelToken& cancel = session.services.cancel;
  std::string_view line;
  try {
    while (!cancel.requested()) {
      if (!reader.Next(line)) {
        if (reader.read_error()) return LogRunEnd::kReadFailed;
        tracker.Finish();
        return LogRunEnd::kEndOfLog;
      }
      tracker.Add(reader.last_length());
      if (!HandleCaptureLine(session, line)) {
        return session.store.full() ? LogRunEnd::kStoreFull : LogRunEnd::kUnknownWeapon;
      }
    }
  } catch (const std::bad_alloc&) {
    // The machine ran out of memory before the store's budget: the same end.
    session.services.prompt.Error(kStoreFullMessage, "Error");
    return LogRunEnd::kStoreFull;
  }
  return LogRunEnd::kCancelled;
}

// Counts the bytes of a log of unknown size, line breaks left out as in a file's count.
class ByteTracker {
 public:
  explicit ByteTracker(const ByteProgressCallback& callback) : callback_(callback) {}
  void Add(std::uint64_t bytes) {
    read_ += bytes;
    ++lines_;
    if (callback_ && read_ >= next_) {
      callback_(read_);
      next_ = read_ + kStep;
    }
  }
  void Finish() {
    if (callback_) callback_(read_);
  }
  std::uint64_t lines() const { return lines_; }

 private:
  static constexpr std::uint64_t kStep = std::uint64_t{4} << 20;
  const ByteProgressCallback& callback_;
  std::uint64_t read_ = 0;
  std::uint64_t lines_ = 0;
  std::uint64_t next_ = kStep;
};

LogParseResult ResultOf(LogRunEnd end) {
  LogParseResult result;
  result.show_stats = ShowsStats(end);
  result.unknown_weapon = end == LogRunEnd::kUnknownWeapon;
  result.store_full = end == LogRunEnd::kStoreFull;
  if (end == LogRunEnd::kCancelled) {
    result.ErrorMessage = "Cancelled";
  } else if (!result.show_stats) {
    result.ErrorMessage = "Unable to parse log file!";
  }
  return result;
}

}  // namespace

std::uint64_t GetLogFileSize(const std::filesystem::path& log, Prompt& prompt) {
  // Read-only: a log on a read-only medium or of another user is still parsed. Only a
  // regular file has a size to measure progress by; opening a fifo would wait for a
  // writer.
  std::FILE* file = OpenForReading(log, InputKind::kRegular);
  std::error_code error;
  const std::uintmax_t size = file != nullptr ? std::filesystem::file_size(log, error) : 0;
  if (file != nullptr) std::fclose(file);
  if (file == nullptr || error) {
    prompt.Ask("Unable to open file!\n\n\rThe file can be locked by another process.", "ERROR!");
    return 0;
  }
  return size;
}

LogRunEnd RunLogFileCapture(CaptureSession& session, const std::filesystem::path& log,
                            std::uint64_t file_size, const ProgressCallback& progress) {
  LineReader reader(kMaxLogLine);
  if (!OpenLog(reader, log, session.services.prompt)) return LogRunEnd::kNotOpened;
  ProgressTracker tracker(file_size, progress);
  const LogRunEnd end = RunLines(session, reader, tracker);
  SettleStore(session);
  return end;
}

LogParseResult ParseLogFile(CaptureSession& session, const std::filesystem::path& log,
                            const ProgressCallback& progress) {
  const std::uint64_t size = GetLogFileSize(log, session.services.prompt);
  return ResultOf(size == 0 ? LogRunEnd::kNotOpened
                            : RunLogFileCapture(session, log, size, progress));
}

LogParseResult ParseLogStream(CaptureSession& session, const std::filesystem::path& log,
                              const ByteProgressCallback& progress) {
  LineReader reader(kMaxLogLine);
  if (!OpenLog(reader, log, session.services.prompt)) return ResultOf(LogRunEnd::kNotOpened);
  ByteTracker tracker(progress);
  const LogRunEnd end = RunLines(session, reader, tracker);
  SettleStore(session);
  // Not a single line: as with an empty file, there is nothing to show.
  return ResultOf(end == LogRunEnd::kEndOfLog && tracker.lines() == 0 ? LogRunEnd::kNotOpened
                                                                      : end);
}

}  // namespace mrv
