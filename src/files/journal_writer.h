// Writing a capture journal (journal_format.h) as the capture goes. The capture's
// thread appends records, which costs it a copy; a thread of the writer's own writes
// them as one block about a second after the first of them came, and flushes the
// block to disk, so that a record is on disk within two seconds of its coming, the
// disk is written at most once a second, and the capture never waits for it.
//
// A journal lives in its own file in the recovery folder, named after the local time
// the capture started ("2024-05-01 21.07.32.journal"), and is locked while its
// capture or the game captured is in use (JournalFile), so that a second program never
// offers to recover it meanwhile.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "files/file_lock.h"
#include "files/journal_format.h"

namespace mrv {

// A journal file and the lock that marks it in use. Destroying it releases the lock and
// keeps the file, to be offered for recovery; Discard removes the file.
class JournalFile {
 public:
  JournalFile() = default;
  JournalFile(std::filesystem::path path, FileLock lock)
      : path_(std::move(path)), lock_(std::move(lock)) {}
  JournalFile(JournalFile&&) noexcept = default;
  JournalFile& operator=(JournalFile&&) noexcept = default;

  bool empty() const { return path_.empty(); }
  const std::filesystem::path& path() const { return path_; }
  // The capture ended on purpose: its journal goes.
  void Discard();

 private:
  std::filesystem::path path_;
  FileLock lock_;
};

class JournalWriter {
 public:
  // Past this size journaling stops, while the capture goes on: a busy evening's
  // console writes a few megabytes an hour.
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{64} << 20;

  // Creates the journal in `folder` (made when missing) and writes the magic line and
  // the setup to disk before it returns. Null, with the reason in `error`, when the
  // folder or the file cannot be made or written.
  static std::unique_ptr<JournalWriter> Create(const std::filesystem::path& folder,
                                               const journal::JournalSetup& setup,
                                               std::string& error);
  // Writes what is left; the file stays, unlocked, as after a crash, unless TakeFile
  // took it.
  ~JournalWriter();
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  // From one thread at a time, in the order of the records' times. Dropped once
  // journaling stopped.
  void Append(const journal::Record& record);
  // Appends kEnded, writes everything and closes the file; Append does nothing after.
  void End(std::uint64_t time);
  // Set once journaling stopped (the size limit, a failed write); any thread.
  bool stopped() const { return stopped_.load(std::memory_order_acquire); }
  // Why it stopped, for the player.
  std::string StopReason() const;
  const std::filesystem::path& path() const { return file_.path(); }
  // The file with its lock, after End.
  JournalFile TakeFile() { return std::move(file_); }

 private:
  JournalWriter(JournalFile file, int fd, std::uint64_t written, std::uint64_t start_time);
  void Stop(std::string reason, std::uint64_t time);
  void FlushLoop();
  void Close();

  JournalFile file_;
  int fd_;
  journal::RecordEncoder encoder_;
  std::uint64_t bytes_;  // written and waiting
  std::uint64_t last_time_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::string> waiting_;  // block payloads not yet written
  std::chrono::steady_clock::time_point due_;
  bool closing_ = false;
  std::string stop_reason_;
  std::atomic<bool> stopped_{false};
  std::thread flusher_;
};

}  // namespace mrv
