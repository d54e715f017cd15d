#include "capture/console/log_follow_console.h"

#include <algorithm>
#include <fstream>
#include <thread>

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace mrv {

namespace {

constexpr std::size_t kHeadBytes = 64;
// Whatever the caller asks, a wait ends this soon, so a missed notice costs little.
constexpr std::chrono::milliseconds kMaxWait{250};
// A log that grew by a lot at once is read over several polls.
constexpr std::size_t kMaxReadPerPoll = std::size_t{1} << 20;

std::string ReadAt(std::ifstream& file, std::uint64_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  file.clear();
  return bytes;
}

}  // namespace

LogFollowConsole::LogFollowConsole(std::filesystem::path log_path)
    : log_path_(std::move(log_path)) {}

LogFollowConsole::~LogFollowConsole() {
#ifdef __linux__
  if (watch_ >= 0) close(watch_);
#endif
}

bool LogFollowConsole::Find() {
  if (found_) return true;
  if (loss_unreported_) {
    loss_unreported_ = false;
    return false;
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(log_path_, error);
  if (error) return false;
  std::ifstream file(log_path_, std::ios::binary);
  if (!file) return false;
  position_ = start_at_beginning_ ? 0 : size;
  head_ = ReadAt(file, 0, kHeadBytes);
  found_ = true;
  return true;
}

std::size_t LogFollowConsole::TextLength() {
  return Refresh() ? text_.text().size() : 0;
}

std::string LogFollowConsole::Text() {
  return Refresh() ? text_.text() : std::string();
}

bool LogFollowConsole::DropRead(std::size_t length) {
  text_.DropFront(length);
  return true;
}

bool LogFollowConsole::TypeLine(const std::string&) {
  return false;
}

bool LogFollowConsole::Refresh() {
  if (!found_) return false;
  std::error_code error;
  const auto size = std::filesystem::file_size(log_path_, error);
  std::ifstream file(log_path_, std::ios::binary);
  if (error || !file || size < position_) {
    Lose();
    return false;
  }
  // The log's first line names the moment it was opened: when it differs, the log was
  // started anew and may already be longer than what was read of the old one.
  const std::string head = ReadAt(file, 0, kHeadBytes);
  const std::size_t known = std::min(head_.size(), head.size());
  if (head.size() < head_.size() || head.compare(0, known, head_) != 0) {
    Lose();
    return false;
  }
  head_ = head;
  if (size > position_) {
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(size - position_, kMaxReadPerPoll));
    const std::string appended = ReadAt(file, position_, count);
    position_ += appended.size();
    text_.Append(appended);
  }
  return true;
}

void LogFollowConsole::Lose() {
  found_ = false;
  loss_unreported_ = true;
  // Everything in the next log belongs to the new launch.
  start_at_beginning_ = true;
  text_.Clear();
}

void LogFollowConsole::WaitForChange(std::chrono::milliseconds timeout) {
  const auto wait = std::min(timeout, kMaxWait);
#ifdef __linux__
  if (watch_ < 0) {
    // The folder is watched rather than the file, so that a log created anew is seen.
    auto folder = log_path_.parent_path();
    if (folder.empty()) folder = ".";
    watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ >= 0 && inotify_add_watch(watch_, folder.c_str(),
                                         IN_MODIFY | IN_CREATE | IN_MOVED_TO | IN_ATTRIB) < 0) {
      close(watch_);
      watch_ = -1;
    }
  }
  if (watch_ >= 0) {
    pollfd ready{watch_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(wait.count())) > 0) {
      char events[4096];
      while (read(watch_, events, sizeof events) > 0) {
      }
    }
    return;
  }
#endif
  std::this_thread::sleep_for(wait);
}

}  // namespace mrv
