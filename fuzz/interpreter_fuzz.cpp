// Feeds the input's lines to the capture's line handling, monitoring a game and parsing
// a log, with the shipped templates and weapon table, without and with the shipped game
// texts, and checks the store's shape. Each capture runs twice, with the fast paths and
// with their plain forms, which must leave the same store; a log's kills are also
// counted again in the kill table the store once kept, which must give the same saved
// game's kill lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "capture/capture_session.h"
#include "capture/interpreter.h"
#include "capture/line_handling.h"
#include "files/saved_game.h"
#include "files/settings.h"
#include "fuzz_support.h"
#include "support/dense_kills.h"

namespace {

// Time passes at every wait without anybody waiting.
class InstantClock final : public mrv::Clock {
 public:
  std::uint64_t Millis() override { return now_ += 13; }
  bool Wait(std::chrono::milliseconds duration, mrv::CancelToken&) override {
    now_ += static_cast<std::uint64_t>(duration.count());
    return true;
  }

 private:
  std::uint64_t now_ = 5'000'000;
};

class CyclingRandom final : public mrv::Random {
 public:
  int Next(int n) override {
    return n <= 1 ? 0 : static_cast<int>(next_++ % static_cast<unsigned>(n));
  }

 private:
  unsigned next_ = 0;
};

class DiscardingConsole final : public mrv::GameConsole {
 public:
  bool Find() override { return true; }
  std::size_t TextLength() override { return 0; }
  std::string Text() override { return {}; }
  bool DropRead(std::size_t) override { return true; }
  bool TypeLine(const std::string&) override { return true; }
  void WaitForChange(std::chrono::milliseconds) override {}
};

struct Shipped {
  Shipped() {
    const std::string data = std::string(MORVANE_SOURCE_DIR) + "/data";
    templates = mrv::LoadDeathTemplates(data, prompt);
    if (templates.entries().empty()) std::abort();
    texts = mrv::LoadGameTexts(data, prompt);
    if (!texts.IsSearchPath("Going through search path...")) std::abort();
  }
  mrv::SilentPrompt prompt;
  const mrv::WeaponTable& weapons = mrv::fuzz::ShippedWeapons();
  mrv::DeathTemplates templates;
  mrv::GameTexts texts;
};

// Every list one entry per nickname; every kill cell of two nicknames of its map and a
// weapon of the table, and no two cells of one key.
void CheckShape(const mrv::StatsStore& store) {
  std::vector<mrv::KillTable::Cell> scratch;
  for (const auto& map : store.maps) {
    const int n = map->nick_count();
    const auto un = static_cast<std::size_t>(n);
    if (map->teams.size() != un || map->caps.size() != un || map->rets.size() != un ||
        map->carrier_kills.size() != un || map->flags_taken.size() != un) {
      std::abort();
    }
    for (const mrv::KillTable::Cell& cell : map->kill_table().cells()) {
      if (cell.killer() >= n || cell.victim() >= n || cell.weapon() >= map->weapon_count)
        std::abort();
    }
    const auto ordered = map->kill_table().InKeyOrder(scratch);
    for (std::size_t i = 1; i < ordered.size(); ++i) {
      if (ordered[i - 1].key >= ordered[i].key) std::abort();
    }
  }
}

// The store as its saved game would hold it, or "-" when it could not be saved.
std::string Capture(std::string_view input, bool monitor, bool plain, bool game_texts) {
  static const Shipped shipped;
  InstantClock clock;
  mrv::SilentSoundPlayer sound;
  CyclingRandom random;
  mrv::SilentPrompt prompt;
  mrv::CancelToken cancel;
  DiscardingConsole console;
  mrv::StatsStore store(shipped.weapons.size());
  mrv::CaptureSession session(store, shipped.weapons, shipped.templates,
                              {clock, sound, random, prompt, cancel, monitor ? &console : nullptr},
                              game_texts ? shipped.texts : mrv::NoGameTexts());
  mrv::CaptureOptions& options = session.state.options;
  options.monitor = monitor;
  options.stats_after_kill = options.stats_after_death = options.hits_after_kill = options.hits_after_death = monitor;
  options.own_nicknames = {"Morv"};
  session.plain = plain;
  mrv::BeginRun(session);
  while (!input.empty()) {
    const std::size_t end = input.find_first_of("\r\n");
    const std::string_view line = input.substr(0, end);
    if (!mrv::HandleCaptureLine(session, line)) break;
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  mrv::SettleStore(session);
  CheckShape(store);
  return mrv::GameFileText(store, "fuzz").value_or("-");
}

void CheckAgainstOracle(std::string_view input, bool game_texts) {
  static const Shipped shipped;
  const mrv::test::OracleRun run = mrv::test::RunWithOracle(
      input, shipped.weapons, shipped.templates, game_texts ? shipped.texts : mrv::NoGameTexts());
  if (!run.consistent ||
      mrv::test::KillLinesOf(run.game_text, shipped.weapons.size()) != run.kill_lines) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const bool monitor : {true, false}) {
    for (const bool game_texts : {false, true}) {
      if (Capture(input, monitor, false, game_texts) != Capture(input, monitor, true, game_texts))
        std::abort();
    }
  }
  for (const bool game_texts : {false, true}) CheckAgainstOracle(input, game_texts);
  return 0;
}
