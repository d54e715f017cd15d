#include "support/capture_harness.h"

#include <gtest/gtest.h>

#include "capture/interpreter.h"
#include "capture/line_handling.h"
#include "files/settings.h"
#include "support/paths.h"

namespace mrv::test {

const WeaponTable& ShippedWeapons() {
  static const WeaponTable weapons = [] {
    WeaponTable table;
    FakePrompt prompt;
    EXPECT_TRUE(ReadWeaponSettings(ShippedDir(), table, prompt));
    return table;
  }();
  return weapons;
}

namespace {

// A shipped file as loaded for a capture, which tells the player nothing.
template <typename Loaded>
Loaded LoadShipped(Loaded (*load)(const std::filesystem::path&, Prompt&)) {
  FakePrompt prompt;
  Loaded loaded = load(ShippedDir(), prompt);
  EXPECT_TRUE(prompt.shown.empty());
  return loaded;
}

}  // namespace

const DeathTemplates& ShippedTemplates() {
  static const DeathTemplates templates = LoadShipped(&LoadDeathTemplates);
  return templates;
}

const GameTexts& ShippedGameTexts() {
  static const GameTexts texts = LoadShipped(&LoadGameTexts);
  return texts;
}

int WeaponIndex(std::string_view name) {
  return ShippedWeapons().FindWeaponByName(name);
}

int Kills(const MapRecord& map, std::string_view killer, std::string_view weapon,
          std::string_view victim) {
  return map.kills(NickIndex(map, killer), WeaponIndex(weapon), NickIndex(map, victim));
}

std::pair<std::int64_t, std::int64_t> RowFigures(const MapRecord& map, std::string_view nick) {
  const int own = NickIndex(map, nick);
  std::pair<std::int64_t, std::int64_t> figures;
  for (int w = 0; own >= 0 && w < map.weapon_count; ++w) {
    for (int v = 0; v < map.nick_count(); ++v) {
      if (v != own) figures.first += map.kills(own, w, v);
      figures.second += map.kills(v, w, own);
    }
  }
  return figures;
}

CaptureHarness::CaptureHarness(bool monitor, const DeathTemplates& templates, bool begin_run,
                               const GameTexts& texts)
    : store(ShippedWeapons().size()),
      session(store, ShippedWeapons(), templates,
              {clock, sound, random, prompt, cancel, monitor ? &console : nullptr,
               monitor ? &clock : nullptr},
              texts) {
  session.state.options.monitor = monitor;
  if (!begin_run) return;
  BeginRun(session);
  if (monitor) current().start_time = clock.TickSeconds();
}

bool CaptureHarness::Feed(std::initializer_list<std::string_view> lines) {
  bool going = true;
  for (auto line = lines.begin(); going && line != lines.end(); ++line) {
    going = HandleCaptureLine(session, *line);
  }
  SettleStore(session);  // as a driver does when its run ends
  return going;
}

}  // namespace mrv::test
