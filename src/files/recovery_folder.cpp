#include "files/recovery_folder.h"

#include <algorithm>
#include <system_error>
#include <tuple>

#include "files/journal_reader.h"

namespace mrv {

namespace fs = std::filesystem;

fs::path RecoveryFolder(const fs::path& data_dir) {
  return data_dir / "recovery";
}

std::vector<UnfinishedCapture> FindUnfinishedCaptures(const fs::path& data_dir) {
  struct Found {
    UnfinishedCapture capture;
    std::uint64_t start_ms = 0;  // orders captures of the same second
  };
  std::vector<Found> found;
  std::error_code error;
  for (fs::directory_iterator entry(RecoveryFolder(data_dir), error), end;
       !error && entry != end; entry.increment(error)) {
    const fs::path& file = entry->path();
    if (file.extension() != journal::kFileExtension || !entry->is_regular_file(error)) continue;
    // A journal a running capture holds is not unfinished.
    if (FileLock::Acquire(file, std::chrono::milliseconds(0)).busy()) continue;
    JournalReader reader;
    std::string unreadable;
    if (reader.Open(file, unreadable)) {
      found.push_back({{file, reader.setup().started}, reader.setup().start_ms});
    } else {
      found.push_back({{file, file.stem().string()}, 0});
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return std::tie(a.capture.started, a.start_ms, a.capture.file) <
           std::tie(b.capture.started, b.start_ms, b.capture.file);
  });
  std::vector<UnfinishedCapture> captures;
  for (Found& one : found) captures.push_back(std::move(one.capture));
  return captures;
}

JournalFile ClaimJournal(const fs::path& file) {
  FileLock lock = FileLock::Acquire(file, std::chrono::milliseconds(0));
  if (lock.busy()) return {};
  return JournalFile(file, std::move(lock));
}

}  // namespace mrv
