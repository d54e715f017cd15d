// Feeds arbitrary bytes to the saved-game loader, and checks that whatever it reads
// writes out to a file that loads back to the same content.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/saved_game.h"
#include "fuzz_support.h"

namespace {

constexpr int kWeapons = 2;

const mrv::fuzz::ScratchFolder& Folder() {
  static const mrv::fuzz::ScratchFolder folder("game");
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = Folder().path() / "input.stg";
  mrv::fuzz::WriteFile(input, std::string_view(reinterpret_cast<const char*>(data), size));
  mrv::SilentPrompt prompt;
  mrv::StatsStore store(kWeapons);
  std::string name;
  if (!mrv::LoadGame(store, input, name, prompt)) return 0;

  // Whatever was read can be written again.
  const auto text = mrv::GameFileText(store, name);
  if (!text) __builtin_trap();
  const auto again = Folder().path() / "again.stg";
  mrv::fuzz::WriteFile(again, *text);
  mrv::StatsStore reloaded(kWeapons);
  std::string reloaded_name;
  if (!mrv::LoadGame(reloaded, again, reloaded_name, prompt)) __builtin_trap();
  if (mrv::GameFileText(reloaded, reloaded_name) != text) __builtin_trap();
  return 0;
}
