// The store's kill cells against the players x weapons x players table it kept before
// (support/dense_kills.h), through the saved game's bytes: on every sample log, on
// random logs made of the samples' lines, and on random steps of the store itself. Each
// saved game also reads back to the same bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "files/saved_game.h"
#include "files/settings.h"
#include "model/text.h"
#include "support/dense_kills.h"
#include "support/fakes.h"
#include "support/paths.h"

namespace mrv {
namespace {

struct Shipped {
  Shipped() {
    EXPECT_TRUE(ReadWeaponSettings(test::ShippedDir(), weapons, prompt));
    templates = LoadDeathTemplates(test::ShippedDir(), prompt);
    texts = LoadGameTexts(test::ShippedDir(), prompt);
  }
  test::FakePrompt prompt;
  WeaponTable weapons;
  DeathTemplates templates;
  GameTexts texts;
};

void ExpectReadsBack(const std::string& text, int weapon_count, const std::string& what) {
  test::ScratchDir dir("store-differential");
  test::WriteFileBytes(dir / "g.stg", text);
  StatsStore loaded(weapon_count);
  std::string name;
  test::FakePrompt prompt;
  ASSERT_TRUE(LoadGame(loaded, dir / "g.stg", name, prompt)) << what;
  EXPECT_EQ(GameFileText(loaded, name), text) << what;
}

void ExpectOracle(const std::string& log, const Shipped& shipped, const GameTexts& texts,
                  const std::string& what) {
  const test::OracleRun run = test::RunWithOracle(log, shipped.weapons, shipped.templates, texts);
  ASSERT_TRUE(run.consistent) << what << ": a kill was counted that its line does not show";
  ASSERT_FALSE(run.game_text.empty()) << what;
  const auto lines = test::KillLinesOf(run.game_text, shipped.weapons.size());
  ASSERT_EQ(lines.size(), run.kill_lines.size()) << what;
  for (std::size_t m = 0; m < lines.size(); ++m) {
    ASSERT_EQ(lines[m], run.kill_lines[m]) << what << ", map " << m;
  }
  ExpectReadsBack(run.game_text, shipped.weapons.size(), what);
}

// The samples' lines, their players multiplied: each name met becomes one of forty.
std::string RandomLog(std::mt19937& random, const std::vector<std::string>& pool) {
  static const std::vector<std::string> names = {
      "[FU]Rasec", "Fak",   "Blub",   "Sn4ke",       "pascochasco", "Kr4ken",  "Dr Pepper",
      "=LK=Nitro", "Lupin", "maggot", "|ZeD|Tomtom", "PAPANGU",     "Etasoeur"};
  std::string log;
  for (int i = 0; i < 3000; ++i) {
    if (random() % 150 == 0) log += "13 crosshairs parsed\nCL_InitCGame: 9.66 seconds\n";
    std::string line = pool[random() % pool.size()];
    for (const std::string& name : names) {
      const auto at = line.find(name);
      if (at != std::string::npos) line.insert(at + name.size(), std::to_string(random() % 40));
    }
    log += line + '\n';
  }
  return log;
}

TEST(StoreDifferentialTest, SamplesAndRandomLogsGiveTheOracleKillLines) {
  const Shipped shipped;
  std::vector<std::string> pool;
  for (const char* stem : {"ffa_short", "ctf_abbey", "ts_two_maps", "long_session", "ts_damage_41",
                           "ctf_colour_names"}) {
    const std::string log = test::ReadFileBytes(test::SamplesDir() / (std::string(stem) + ".log"));
    ExpectOracle(log, shipped, NoGameTexts(), std::string(stem) + " (older text)");
    ExpectOracle(log, shipped, shipped.texts, stem);
    for (std::size_t at = 0, end; at < log.size(); at = end + 1) {
      end = std::min(log.find('\n', at), log.size());
      pool.push_back(log.substr(at, end - at));
    }
  }
  std::mt19937 random(2009);
  for (int round = 0; round < 6; ++round) {
    const std::string log = RandomLog(random, pool);
    ExpectOracle(log, shipped, round % 2 == 0 ? shipped.texts : NoGameTexts(),
                 "random log " + std::to_string(round));
  }
}

// Nicknames added with and without room, kills in any order and on hot cells, counts
// set (1, 0, saturated), maps compacted, added after compacting and deleted.
TEST(StoreDifferentialTest, RandomStepsGiveTheOracleKillLines) {
  constexpr int kWeapons = 4;
  std::mt19937 random(20);
  for (int round = 0; round < 150; ++round) {
    StatsStore store(kWeapons);
    std::vector<test::DenseKills> dense;
    for (int step = 0; step < 300; ++step) {
      const unsigned what = random() % 24;
      if (store.empty() || what == 0) {
        NewMap(store, "m" + std::to_string(step));
        dense.emplace_back(kWeapons);
        continue;
      }
      const int m =
          random() % 4 == 0 ? static_cast<int>(random() % store.size()) : store.size() - 1;
      MapRecord& map = store[m];
      test::DenseKills& oracle = dense[static_cast<std::size_t>(m)];
      const int n = map.nick_count();
      const auto pick = [&](int count) {
        return static_cast<int>(random() % 3 == 0 ? random() % 2 : random() % count);
      };
      if (what < 5 || n == 0) {
        const auto team = static_cast<std::uint8_t>(random() % 3);
        const std::string nick = "n" + std::to_string(n);
        ASSERT_TRUE(random() % 2 == 0 ? AddNickKeepingRoom(map, nick, team)
                                      : AddNick(map, nick, team));
      } else if (what < 19) {
        const int k = pick(n), w = pick(kWeapons), v = pick(n);
        ASSERT_TRUE(map.AddKill(k, w, v));
        Bump(oracle.at(k, w, v, n));
      } else if (what < 21) {
        static const std::int32_t kCounts[] = {INT32_MAX, INT32_MAX - 1, 1, 0, 7};
        const std::int32_t count = kCounts[random() % 5];
        const int k = pick(n), w = pick(kWeapons), v = pick(n);
        ASSERT_TRUE(map.SetKills(k, w, v, count));
        oracle.at(k, w, v, n) = count;
      } else if (what < 23) {
        CompactMap(map);
      } else {
        DeleteMap(store, m);
        dense.erase(dense.begin() + m);
      }
    }
    const std::string text = GameFileText(store, "steps").value_or("");
    const auto lines = test::KillLinesOf(text, kWeapons);
    ASSERT_EQ(lines.size(), dense.size());
    for (std::size_t m = 0; m < lines.size(); ++m) {
      ASSERT_EQ(lines[m], dense[m].Lines(store[static_cast<int>(m)].nick_count()))
          << "round " << round << ", map " << m;
    }
    if (!store.empty()) ExpectReadsBack(text, kWeapons, "round " + std::to_string(round));
  }
}

}  // namespace
}  // namespace mrv
