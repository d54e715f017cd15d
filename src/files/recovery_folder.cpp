#include "files/recovery_folder.h"

#include <algorithm>
#include <system_error>

#include "files/journal_reader.h"

namespace mrv {

namespace fs = std::filesystem;

fs::path RecoveryFolder(const fs::path& data_dir) {
  return data_dir / "recovery";
}

std::vector<UnfinishedCapture> FindUnfinishedCaptures(const fs::path& data_dir) {
  std::vector<UnfinishedCapture> found;
  std::error_code error;
  for (fs::directory_iterator entry(RecoveryFolder(data_dir), error), end;
       !error && entry != end; entry.increment(error)) {
    const fs::path& file = entry->path();
    if (file.extension() != journal::kFileExtension || !entry->is_regular_file(error)) continue;
    // A journal a running capture holds is not unfinished.
    if (FileLock::Acquire(file, std::chrono::milliseconds(0)).busy()) continue;
    JournalReader reader;
    std::string unreadable;
    found.push_back(
        {file, reader.Open(file, unreadable) ? reader.setup().started : file.stem().string()});
  }
  // The names begin with the start time.
  std::sort(found.begin(), found.end(),
            [](const UnfinishedCapture& a, const UnfinishedCapture& b) { return a.file < b.file; });
  return found;
}

JournalFile ClaimJournal(const fs::path& file) {
  FileLock lock = FileLock::Acquire(file, std::chrono::milliseconds(0));
  if (lock.busy()) return {};
  return JournalFile(file, std::move(lock));
}

}  // namespace mrv
