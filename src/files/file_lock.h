// An advisory lock that every program of Morvane takes before it changes a file, so
// that two of them (the desktop program and the command-line tool, say) never
// interleave their read-modify-writes. The lock is taken on "<file>.lock" beside the
// file, not on the file itself: a rewrite replaces the file by a rename, and a lock on
// the replaced file would guard nothing. A link is followed first, so every link to a
// file shares its lock. On POSIX systems the lock file goes with the lock; on Windows,
// where an open file cannot be removed safely, it stays.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace mrv {

class FileLock {
 public:
  FileLock() = default;  // holds nothing
  ~FileLock() { Release(); }
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Locks the file, waiting up to `patience` while another holder has it. The result
  // holds nothing when the wait ran out (busy) or no lock file could be made.
  static FileLock Acquire(const std::filesystem::path& file, std::chrono::milliseconds patience);

  bool held() const;
  bool busy() const { return busy_; }
  // Why no lock file could be made, as a sentence that names it ("The lock file
  // /home/joe/joe.mrv.lock is a folder."); empty when it could.
  const std::string& failure() const { return failure_; }
  // Whether this lock guards the file (through any link to it).
  bool Guards(const std::filesystem::path& file) const;
  void Release();

 private:
  std::filesystem::path lock_path_;
  bool busy_ = false;
  std::string failure_;
#ifdef _WIN32
  void* handle_ = nullptr;  // the lock file's HANDLE
#else
  int fd_ = -1;
#endif
};

}  // namespace mrv
