#include "files/file_lock.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mrv {

namespace {

// How often a waiting program looks again: a change takes milliseconds.
constexpr std::chrono::milliseconds kRetry{10};

std::filesystem::path LockPathFor(const std::filesystem::path& file) {
  std::error_code error;
  auto path = std::filesystem::weakly_canonical(file, error);
  if (error) path = file;
  path += ".lock";
  return path;
}

// Why the lock file could not be opened: what stands under its name, or the system's
// words for the error.
std::string LockFileFailure(const std::filesystem::path& lock_path, const std::string& error) {
  std::error_code ignored;
  const auto status = std::filesystem::symlink_status(lock_path, ignored);
  const std::string name = "The lock file " + lock_path.string();
  if (std::filesystem::is_symlink(status)) return name + " is a link, which a lock never follows.";
  if (std::filesystem::is_directory(status)) return name + " is a folder.";
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return name + " is not a regular file.";
  }
  return name + " cannot be made: " + error + ".";
}

}  // namespace

FileLock::FileLock(FileLock&& other) noexcept {
  *this = std::move(other);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    lock_path_ = std::move(other.lock_path_);
    busy_ = other.busy_;
    failure_ = std::move(other.failure_);
#ifdef _WIN32
    handle_ = std::exchange(other.handle_, nullptr);
#else
    fd_ = std::exchange(other.fd_, -1);
#endif
  }
  return *this;
}

bool FileLock::Guards(const std::filesystem::path& file) const {
  return held() && LockPathFor(file) == lock_path_;
}

#ifdef _WIN32

bool FileLock::held() const {
  return handle_ != nullptr;
}

FileLock FileLock::Acquire(const std::filesystem::path& file, std::chrono::milliseconds patience) {
  FileLock lock;
  lock.lock_path_ = LockPathFor(file);
  HANDLE handle = CreateFileW(lock.lock_path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    lock.failure_ = LockFileFailure(
        lock.lock_path_, std::system_category().message(static_cast<int>(GetLastError())));
    return lock;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (true) {
    OVERLAPPED whole{};
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      lock.handle_ = handle;
      return lock;
    }
    const auto now = std::chrono::steady_clock::now();
    lock.busy_ = now >= deadline;
    if (lock.busy_) break;
    std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(kRetry, deadline - now));
  }
  CloseHandle(handle);
  return lock;
}

void FileLock::Release() {
  if (handle_ == nullptr) return;
  OVERLAPPED whole{};
  UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &whole);
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

#else

bool FileLock::held() const {
  return fd_ >= 0;
}

FileLock FileLock::Acquire(const std::filesystem::path& file, std::chrono::milliseconds patience) {
  FileLock lock;
  lock.lock_path_ = LockPathFor(file);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (true) {
    const int fd = open(lock.lock_path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      lock.failure_ = LockFileFailure(lock.lock_path_, std::generic_category().message(errno));
      return lock;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // The holder before removed the lock file on its way out: the lock counts only
      // on the file that the name holds now.
      struct stat locked {};
      struct stat named {};
      if (fstat(fd, &locked) == 0 && stat(lock.lock_path_.c_str(), &named) == 0 &&
          locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
        lock.fd_ = fd;
        return lock;
      }
      close(fd);
      continue;
    }
    close(fd);
    const auto now = std::chrono::steady_clock::now();
    lock.busy_ = now >= deadline;
    if (lock.busy_) return lock;
    std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(kRetry, deadline - now));
  }
}

void FileLock::Release() {
  if (fd_ < 0) return;
  // Removed while still locked, so that a waiter that opened it sees that it is stale.
  unlink(lock_path_.c_str());
  close(fd_);
  fd_ = -1;
}

#endif

}  // namespace mrv
