// Feeds arbitrary bytes to the capture journal's reader and replay: as a whole file, and
// as the records of a journal whose framing and setup are sound, cut into blocks where
// the input says, so that the records themselves are explored. A replay must end,
// whatever the journal holds, with a store that can be saved.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "capture/journal_replay.h"
#include "files/journal_format.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "fuzz_support.h"

namespace {

const mrv::fuzz::ScratchFolder& Folder() {
  static const mrv::fuzz::ScratchFolder folder("journal");
  return folder;
}

// The setup block of the shipped weapon table and templates.
const std::string& SetupBlock() {
  static const std::string block = [] {
    const std::string data = std::string(MORVANE_SOURCE_DIR) + "/data";
    mrv::SilentPrompt prompt;
    const mrv::WeaponTable& weapons = mrv::fuzz::ShippedWeapons();
    mrv::journal::JournalSetup setup;
    setup.started = "2024-05-01 21:07:32";
    setup.start_ms = 1'000'000;
    for (int i = 0; i < weapons.size(); ++i) setup.weapons.push_back(weapons.entry(i));
    setup.templates = mrv::LoadDeathTemplates(data, prompt).entries();
    setup.options.monitor = true;
    mrv::journal::RecordEncoder encoder;
    std::string payload;
    for (const mrv::journal::Record& record : mrv::journal::SetupRecords(setup)) {
      encoder.Encode(record, payload);
    }
    return mrv::journal::FrameBlock(payload);
  }();
  return block;
}

// The input's records in sound blocks: a 0xFF byte ends a block.
std::string FramedJournal(std::string_view records) {
  std::string file(mrv::journal::kMagic);
  file += SetupBlock();
  std::size_t start = 0;
  while (start <= records.size()) {
    const std::size_t end = std::min(records.find('\xff', start), records.size());
    file += mrv::journal::FrameBlock(records.substr(start, end - start));
    start = end + 1;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto file = Folder().path() / "input.journal";
  mrv::fuzz::WriteFile(file, (data[0] & 1) != 0 ? std::string(input) : FramedJournal(input));
  mrv::JournalReplay replay;
  std::string error;
  if (!replay.Open(file, error)) return 0;
  mrv::StatsStore store(replay.weapons().size());
  replay.Run(store);
  if (!mrv::GameFileText(store, mrv::RecoveredGameName(replay.started()))) __builtin_trap();
  return 0;
}
