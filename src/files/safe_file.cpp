#include "files/safe_file.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mrv {

std::filesystem::path TemporaryFileFor(const std::filesystem::path& target) {
  auto name = target;
  name += ".tmp";
  return name;
}

namespace {

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // Make the rename itself durable.
  auto folder = to.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  return true;
#endif
}

}  // namespace

bool ReplaceFileSafely(const std::filesystem::path& target, std::string_view content) {
  const auto temporary = TemporaryFileFor(target);
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = written && FlushToDisk(file);
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) return false;
  return RenameOver(temporary, target);
}

}  // namespace mrv
