// What every fuzz target needs around the code it feeds: a scratch folder of its own
// process.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "files/prompt.h"
#include "files/settings.h"
#include "model/weapons.h"

namespace mrv::fuzz {

// A folder named after the target and the process, removed when the fuzzer exits.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& target)
      : path_(std::filesystem::temp_directory_path() /
              ("morvane-" + target + "-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& file, std::string_view content) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

// The weapon table the programs ship, read once; a target without it cannot run.
inline const WeaponTable& ShippedWeapons() {
  static const WeaponTable weapons = [] {
    SilentPrompt prompt;
    WeaponTable table;
    if (!ReadWeaponSettings(std::string(MORVANE_SOURCE_DIR) + "/data", table, prompt)) std::abort();
    return table;
  }();
  return weapons;
}

}  // namespace mrv::fuzz
