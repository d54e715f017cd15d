// Feeds arbitrary bytes to the saved-game loader, and checks that whatever it reads
// writes out to a file that loads back to the same content.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/saved_game.h"

namespace {

class SilentPrompt final : public mrv::Prompt {
 public:
  void Inform(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&) override { return false; }
  void Error(const std::string&, const std::string&) override {}
};

constexpr int kWeapons = 2;

// A folder of this process, removed when the fuzzer exits.
struct ScratchFolder {
  ScratchFolder() { std::filesystem::create_directories(path); }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("morvane-game-fuzz-" + std::to_string(::getpid()));
};

std::filesystem::path ScratchFile(const char* name) {
  static const ScratchFolder folder;
  return folder.path / name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = ScratchFile("input.stg");
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      << std::string(reinterpret_cast<const char*>(data), size);
  SilentPrompt prompt;
  mrv::Database database(kWeapons);
  std::string name;
  if (!mrv::LoadGame(database, input, name, prompt)) return 0;

  // Whatever was read can be written again.
  const auto text = mrv::GameFileText(database, name);
  if (!text) __builtin_trap();
  const auto again = ScratchFile("again.stg");
  std::ofstream(again, std::ios::binary | std::ios::trunc) << *text;
  mrv::Database reloaded(kWeapons);
  std::string reloaded_name;
  if (!mrv::LoadGame(reloaded, again, reloaded_name, prompt)) __builtin_trap();
  if (mrv::GameFileText(reloaded, reloaded_name) != text) __builtin_trap();
  return 0;
}
