// Where tests find the repository's files and a scratch folder of their own.
#pragma once

#include <filesystem>
#include <string>

namespace mrv::test {

inline std::filesystem::path SourceDir() { return MORVANE_SOURCE_DIR; }
inline std::filesystem::path ShippedDir() { return std::filesystem::path(MORVANE_SOURCE_DIR) / "data"; }
inline std::filesystem::path SamplesDir() { return std::filesystem::path(MORVANE_SOURCE_DIR) / "samples"; }
inline std::filesystem::path TestDataDir() {
  return std::filesystem::path(MORVANE_SOURCE_DIR) / "tests" / "data";
}

// A program of the build, beside the tests.
inline std::filesystem::path BuiltProgram(const std::string& name) {
#ifdef _WIN32
  return std::filesystem::path(MORVANE_BIN_DIR) / (name + ".exe");
#else
  return std::filesystem::path(MORVANE_BIN_DIR) / name;
#endif
}

// A fresh, empty folder for one test, removed when the object goes.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& file) const { return path_ / file; }

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& content);

// Expects `text` to be tests/data/golden/<name> byte for byte; with MORVANE_UPDATE_GOLDEN
// set, writes it there first (after an intended change: then read the diff).
void ExpectGolden(const std::string& text, const std::string& name);

}  // namespace mrv::test
