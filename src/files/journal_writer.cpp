#include "files/journal_writer.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mrv {

namespace {

namespace fs = std::filesystem;
using journal::Record;
using journal::Tag;

// A record reaches the disk this long after it came, at most (plus the write itself).
constexpr std::chrono::milliseconds kFlushDelay{1000};
// Records are gathered into blocks of about this size.
constexpr std::size_t kBlockTarget = std::size_t{1} << 20;
// Room kept for the record that says why journaling stopped.
constexpr std::uint64_t kStopRoom = 1024;
// Names tried when journals of the same second exist.
constexpr int kNameAttempts = 100;

#ifdef _WIN32

int CreateExclusive(const fs::path& path) {
  int fd = -1;
  _wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
            _SH_DENYWR, _S_IREAD | _S_IWRITE);
  return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const int written =
        _write(fd, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX)));
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool Sync(int fd) {
  return _commit(fd) == 0;
}

void CloseFile(int fd) {
  _close(fd);
}

void SyncFolder(const fs::path&) {}

#else

int CreateExclusive(const fs::path& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool Sync(int fd) {
  return fdatasync(fd) == 0;
}

void CloseFile(int fd) {
  close(fd);
}

// The new file's name is durable too.
void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

#endif

// "2024-05-01 21:07:32" gives "2024-05-01 21.07.32", as saved games have no colons.
std::string FileStem(const std::string& started) {
  std::string stem = started;
  for (char& c : stem) {
    if (c == ':') c = '.';
  }
  return stem;
}

std::string SystemReason() {
  return std::error_code(errno, std::generic_category()).message();
}

}  // namespace

void JournalFile::Discard() {
  if (path_.empty()) return;
  std::error_code ignored;
  fs::remove(path_, ignored);
  lock_.Release();
  path_.clear();
}

std::unique_ptr<JournalWriter> JournalWriter::Create(const fs::path& folder,
                                                     const journal::JournalSetup& setup,
                                                     std::string& error) {
  std::error_code code;
  fs::create_directories(folder, code);
  if (code || !fs::is_directory(folder, code)) {
    error = "cannot make the folder " + folder.string();
    return nullptr;
  }
  const std::string stem = FileStem(setup.started);
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    const fs::path path =
        folder / (stem + (attempt == 1 ? "" : " (" + std::to_string(attempt) + ")") +
                  std::string(journal::kFileExtension));
    const int fd = CreateExclusive(path);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = "cannot create " + path.string() + ": " + SystemReason();
      return nullptr;
    }
    FileLock lock = FileLock::Acquire(path, std::chrono::milliseconds(0));
    std::string head(journal::kMagic);
    journal::RecordEncoder encoder;
    std::string payload;
    for (const Record& record : journal::SetupRecords(setup)) encoder.Encode(record, payload);
    head += journal::FrameBlock(payload);
    if (payload.size() > journal::kMaxBlockPayload || !WriteAll(fd, head) || !Sync(fd)) {
      error = "cannot write " + path.string() + ": " + SystemReason();
      CloseFile(fd);
      fs::remove(path, code);
      return nullptr;
    }
    SyncFolder(folder);
    auto writer = std::unique_ptr<JournalWriter>(
        new JournalWriter(JournalFile(path, std::move(lock)), fd, head.size(), setup.start_ms));
    writer->encoder_ = encoder;
    return writer;
  }
  error = "too many journals started at " + setup.started + " in " + folder.string();
  return nullptr;
}

JournalWriter::JournalWriter(JournalFile file, int fd, std::uint64_t written,
                             std::uint64_t start_time)
    : file_(std::move(file)), fd_(fd), bytes_(written), last_time_(start_time) {
  flusher_ = std::thread([this] { FlushLoop(); });
}

JournalWriter::~JournalWriter() {
  Close();
}

void JournalWriter::Append(const Record& record) {
  if (stopped()) return;
  if (journal::IsTimed(record.tag)) last_time_ = record.time;
  std::string encoded;
  journal::RecordEncoder encoder = encoder_;
  encoder.Encode(record, encoded);
  if (bytes_ + encoded.size() + kStopRoom > kMaxBytes) {
    Stop("the capture journal reached its limit of " + std::to_string(kMaxBytes >> 20) + " MB",
         last_time_);
    return;
  }
  if (encoded.size() > journal::kMaxBlockPayload) {
    Stop("the game's console held more text at once than a journal keeps", last_time_);
    return;
  }
  encoder_ = encoder;
  bytes_ += encoded.size() + 8;
  std::lock_guard lock(mutex_);
  if (waiting_.empty()) {
    due_ = std::chrono::steady_clock::now() + kFlushDelay;
    waiting_.emplace_back();
    wake_.notify_one();
  } else if (waiting_.back().size() + encoded.size() > kBlockTarget) {
    waiting_.emplace_back();
  }
  waiting_.back() += encoded;
}

void JournalWriter::End(std::uint64_t time) {
  Append({Tag::kEnded, time, 0, {}});
  Close();
}

std::string JournalWriter::StopReason() const {
  std::lock_guard lock(mutex_);
  return stop_reason_;
}

void JournalWriter::Stop(std::string reason, std::uint64_t time) {
  std::string encoded;
  encoder_.Encode({Tag::kStopped, time, 0, reason}, encoded);
  std::lock_guard lock(mutex_);
  if (waiting_.empty()) {
    due_ = std::chrono::steady_clock::now();
    wake_.notify_one();
  }
  waiting_.push_back(std::move(encoded));
  stop_reason_ = std::move(reason);
  stopped_.store(true, std::memory_order_release);
}

void JournalWriter::FlushLoop() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return !waiting_.empty() || closing_; });
    if (!closing_) wake_.wait_until(lock, due_, [this] { return closing_; });
    if (waiting_.empty()) return;  // closing, all written
    std::vector<std::string> blocks = std::move(waiting_);
    waiting_.clear();
    lock.unlock();
    std::string bytes;
    for (const std::string& payload : blocks) bytes += journal::FrameBlock(payload);
    const bool written = WriteAll(fd_, bytes) && Sync(fd_);
    lock.lock();
    if (!written && !stopped()) {
      stop_reason_ = "the capture journal could not be written (" + SystemReason() + ")";
      stopped_.store(true, std::memory_order_release);
    }
  }
}

void JournalWriter::Close() {
  if (!flusher_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  flusher_.join();
  CloseFile(fd_);
}

}  // namespace mrv
