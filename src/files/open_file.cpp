#include "files/open_file.h"

#include <string>

#ifdef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mrv {

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::string narrow(mode);
  return _wfopen(path.c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::FILE* OpenForReading(const std::filesystem::path& path, InputKind kind) {
  if (kind == InputKind::kAny) return OpenFile(path, "rb");
#ifdef _WIN32
  std::FILE* file = OpenFile(path, "rb");
  struct _stat64 info {};
  if (file != nullptr &&
      (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)) {
    std::fclose(file);
    file = nullptr;
  }
  return file;
#else
  // Without O_NONBLOCK, opening a fifo waits for a writer that may never come. The
  // type is checked on the opened file itself, so a swap after the check changes
  // nothing.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
#endif
}

}  // namespace mrv
