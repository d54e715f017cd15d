// A capture wired to recording fakes, with the shipped weapon table and templates.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

#include "capture/capture_session.h"
#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "model/stats_store.h"
#include "model/weapons.h"
#include "support/fakes.h"

namespace mrv::test {

const WeaponTable& ShippedWeapons();
const DeathTemplates& ShippedTemplates();
const GameTexts& ShippedGameTexts();
// Index of the weapon with that name in the shipped table.
int WeaponIndex(std::string_view name);
// How often `killer` killed `victim` with the shipped weapon of that name on the map.
int Kills(const MapRecord& map, std::string_view killer, std::string_view weapon,
          std::string_view victim);
// The player's kills and deaths as his row and column of the map's kill table give
// them, as the capture counts them for its own player: suicides are deaths, not kills.
std::pair<std::int64_t, std::int64_t> RowFigures(const MapRecord& map, std::string_view nick);

class CaptureHarness {
 public:
  // With `begin_run` the first map is open, as a driver opens it before the first line.
  explicit CaptureHarness(bool monitor, const DeathTemplates& templates = ShippedTemplates(),
                          bool begin_run = true, const GameTexts& texts = NoGameTexts());

  // Hands the lines to the shared line handling, as a driver does, from a first map
  // "<map1>"; false as soon as the run would end. The store is then settled.
  bool Feed(std::initializer_list<std::string_view> lines);
  MapRecord& map(int index) { return store[index]; }
  MapRecord& current() { return session.current_map(); }

  FakeClock clock;
  FakeSound sound;
  FakeRandom random;
  FakePrompt prompt;
  FakeConsole console;
  CancelToken cancel;
  StatsStore store;
  CaptureSession session;
};

}  // namespace mrv::test
