#include "support/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace mrv::test {

ScratchDir::ScratchDir(const std::string& name) {
  path_ = std::filesystem::temp_directory_path() /
          ("morvane-test-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

void ExpectGolden(const std::string& text, const std::string& name) {
  const std::filesystem::path golden = TestDataDir() / "golden" / name;
  if (std::getenv("MORVANE_UPDATE_GOLDEN") != nullptr) WriteFileBytes(golden, text);
  EXPECT_EQ(text, ReadFileBytes(golden)) << name << " differs from its golden file";
}

}  // namespace mrv::test
