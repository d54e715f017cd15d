#include "files/safe_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <new>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mrv {

namespace {

namespace fs = std::filesystem;

// Unique names tried after "<name>.tmp" before giving up.
constexpr int kUniqueNameAttempts = 100;

// The system's text of an error number as a sentence: "No such file or directory."
std::string ErrorSentence(int error_number) {
  std::string text = std::generic_category().message(error_number);
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

// Where the new content goes and what of the old file it keeps.
struct Destination {
  fs::path path;  // the target, its links resolved
  bool exists = false;
#ifndef _WIN32
  struct stat old {};  // mode and owner of the old file, when it exists
#endif
};

#ifdef _WIN32

constexpr int kRenameAttempts = 100;
constexpr DWORD kRenameRetryMs = 10;

bool MayWrite(const Destination& destination) {
  std::error_code error;
  const auto perms = fs::status(destination.path, error).permissions();
  return !error && (perms & fs::perms::owner_write) != fs::perms::none;
}

int CreateNew(const fs::path& path, const Destination&) {
  int fd = -1;
  // _O_EXCL fails on any existing name, a link included.
  _wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
            _SH_DENYNO, _S_IREAD | _S_IWRITE);
  return fd;
}

// Bytes written, or 0 or less on failure.
std::int64_t WriteSome(int fd, std::string_view content) {
  return _write(fd, content.data(),
                static_cast<unsigned>(std::min<std::size_t>(content.size(), INT_MAX)));
}

bool SyncAndClose(int fd) {
  const bool synced = _commit(fd) == 0;
  return _close(fd) == 0 && synced;
}

// Windows replaces no file that another program has open, even to read it for a
// moment: such a program gets a little while to let go.
bool RenameOver(const fs::path& from, const fs::path& to) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
        attempt == kRenameAttempts) {
      return false;
    }
    Sleep(kRenameRetryMs);
  }
}

// Why RenameOver failed, right after it did.
std::string RenameFailure() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

#else

// Root may write anything, but a file without any write permission is read-only by
// its owner's choice and is not rewritten either.
bool MayWrite(const Destination& destination) {
  return access(destination.path.c_str(), W_OK) == 0 && (destination.old.st_mode & 0222) != 0;
}

int CreateNew(const fs::path& path, const Destination& destination) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0 || !destination.exists) return fd;
  // The old file's owner (possible for root only) and permissions.
  const struct stat& old = destination.old;
  if (old.st_uid != geteuid() || old.st_gid != getegid()) {
    [[maybe_unused]] const int ignored = fchown(fd, old.st_uid, old.st_gid);
  }
  fchmod(fd, old.st_mode & 07777);
  return fd;
}

std::int64_t WriteSome(int fd, std::string_view content) {
  ssize_t written;
  do {
    written = write(fd, content.data(), content.size());
  } while (written < 0 && errno == EINTR);
  return written;
}

bool SyncAndClose(int fd) {
  const bool synced = fsync(fd) == 0;
  return close(fd) == 0 && synced;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // Make the rename itself durable.
  auto folder = to.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  return true;
}

std::string RenameFailure() {
  return ErrorSentence(errno);
}

#endif

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const std::int64_t written = WriteSome(fd, content);
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Gathers small pieces into writes of a useful size.
class BufferedFileSink final : public ContentSink {
 public:
  explicit BufferedFileSink(int fd) : fd_(fd) { buffer_.reserve(kBufferBytes); }

  void Write(std::string_view piece) override {
    if (buffer_.size() + piece.size() > kBufferBytes) Flush();
    if (piece.size() >= kBufferBytes) {
      Put(piece);
    } else {
      buffer_ += piece;
    }
  }
  // True when every piece reached the file.
  bool Finish() {
    Flush();
    return ok_;
  }
  // The error number of the failed write, or 0.
  int error() const { return error_; }

 private:
  static constexpr std::size_t kBufferBytes = std::size_t{64} << 10;

  void Flush() {
    Put(buffer_);
    buffer_.clear();
  }
  void Put(std::string_view bytes) {
    if (!ok_) return;
    errno = 0;
    ok_ = WriteAll(fd_, bytes);
    if (!ok_) error_ = errno != 0 ? errno : EIO;
  }

  int fd_;
  std::string buffer_;
  bool ok_ = true;
  int error_ = 0;
};

// The file the content must replace; empty, with the reason, when the target may not
// be replaced.
std::optional<Destination> Resolve(const fs::path& target, LinkRule links, std::string& reason) {
  std::error_code error;
  Destination destination{target};
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    if (links == LinkRule::kRefuse) {
      reason = "It is a link.";
      return std::nullopt;
    }
    destination.path = fs::canonical(target, error);  // fails for a dangling link
    if (error) {
      reason = "It is a link to nothing.";
      return std::nullopt;
    }
  }
  const auto status = fs::status(destination.path, error);
  if (status.type() == fs::file_type::not_found) return destination;
  if (error || !fs::is_regular_file(status)) {
    reason = error ? ErrorSentence(error.value())
             : fs::is_directory(status) ? "It is a folder."
                                        : "It is not a regular file.";
    return std::nullopt;
  }
  destination.exists = true;
#ifndef _WIN32
  if (stat(destination.path.c_str(), &destination.old) != 0) {
    reason = ErrorSentence(errno);
    return std::nullopt;
  }
#endif
  if (!MayWrite(destination)) {
    reason = "It is read-only.";
    return std::nullopt;
  }
  return destination;
}

// "<name>.tmp", or a unique name beside it when a failure left that one behind.
int CreateTemporary(const Destination& destination, fs::path& temporary) {
  temporary = destination.path;
  temporary += ".tmp";
  int fd = CreateNew(temporary, destination);
  std::minstd_rand random(std::random_device{}());
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; fd < 0 && errno == EEXIST && attempt < kUniqueNameAttempts; ++attempt) {
    std::string suffix = ".tmp.";
    for (int i = 0; i < 6; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    temporary = destination.path;
    temporary += suffix;
    fd = CreateNew(temporary, destination);
  }
  return fd;
}

ReplaceResult Replace(const fs::path& target, const std::function<void(ContentSink&)>& produce,
                      LinkRule links, std::string& reason) {
  const auto destination = Resolve(target, links, reason);
  if (!destination) return ReplaceResult::kRefused;
  fs::path temporary;
  const int fd = CreateTemporary(*destination, temporary);
  if (fd < 0) {
    reason = ErrorSentence(errno);
    return ReplaceResult::kNoTemporary;
  }
  BufferedFileSink sink(fd);
  bool produced = true;
  try {
    produce(sink);
  } catch (const std::bad_alloc&) {
    produced = false;  // the file stays as it was
  }
  const bool written = sink.Finish() && produced;
  if (!written) reason = produced ? ErrorSentence(sink.error()) : "Out of memory.";
  errno = 0;
  const bool synced = SyncAndClose(fd);
  if (written && !synced) reason = ErrorSentence(errno != 0 ? errno : EIO);
  if (!synced || !written) return ReplaceResult::kTemporaryLeft;
  if (!RenameOver(temporary, destination->path)) {
    reason = RenameFailure();
    return ReplaceResult::kTemporaryLeft;
  }
  return ReplaceResult::kReplaced;
}

}  // namespace

ReplaceResult ReplaceFileSafely(const fs::path& target, std::string_view content) {
  return ReplaceFileSafely(target, [content](ContentSink& sink) { sink.Write(content); });
}

ReplaceResult ReplaceFileSafely(const fs::path& target,
                                const std::function<void(ContentSink&)>& produce) {
  std::string unused;
  return Replace(target, produce, LinkRule::kUpdateTarget, unused);
}

ReplaceResult ReplaceFileSafely(const fs::path& target, std::string_view content, LinkRule links,
                                std::string& reason) {
  return Replace(target, [content](ContentSink& sink) { sink.Write(content); }, links, reason);
}

}  // namespace mrv
