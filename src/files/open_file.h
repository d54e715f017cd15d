// Opening a file by its path, the one way every reader and writer does it: through the
// wide-character API on Windows, so that a folder named outside the local code page
// (a user name in another script) works as well as any other.
#pragma once

#include <cstdio>
#include <filesystem>

namespace mrv {

// std::fopen by path; nullptr on failure.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

enum class InputKind {
  kAny,      // a log may come from a pipe or a device
  kRegular,  // the program's own files: a folder, a device (/dev/zero) or a fifo is
             // refused without waiting on it, so that none can hang the program or feed
             // it endlessly; links are followed
};

// Opens for binary reading; nullptr on failure or refusal.
std::FILE* OpenForReading(const std::filesystem::path& path, InputKind kind);

}  // namespace mrv
