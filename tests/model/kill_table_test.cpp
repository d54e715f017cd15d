#include "model/kill_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace mrv {
namespace {

// Cells met in any order, as a capture meets kills, read back in key order as a
// comparison sort puts them: from an open table (a saved game of the map being
// captured) and once compacted, which keeps them findable. Killers from 0 to the
// highest a key holds, few and many cells (walked, and found through the lookup
// index), one killer or hundreds.
TEST(KillTableTest, KeyOrderAgreesWithAComparisonSort) {
  std::mt19937 random(20);
  for (int round = 0; round < 200; ++round) {
    const int killers = round % 3 == 0 ? 1 : 1 + static_cast<int>(random() % 400);
    const int highest_killer = round % 5 == 0 ? 4095 : killers - 1;
    const auto cells = static_cast<std::size_t>(random() % 300);
    KillTable table;
    std::vector<KillTable::Cell> expected;
    while (expected.size() < cells) {
      const int killer = random() % 2 == 0 ? highest_killer : static_cast<int>(random() % killers);
      const std::uint32_t key = KillTable::KeyOf(killer, static_cast<int>(random() % 1024),
                                                 static_cast<int>(random() % 1024));
      if (table.Find(key) != nullptr) continue;
      const auto count = static_cast<std::int32_t>(random() % 1000);
      table.Add(key, count);
      expected.push_back({key, count});
    }
    std::sort(expected.begin(), expected.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    const auto same = [&](std::span<const KillTable::Cell> got) {
      return std::equal(
          got.begin(), got.end(), expected.begin(), expected.end(),
          [](const auto& a, const auto& b) { return a.key == b.key && a.count == b.count; });
    };
    std::vector<KillTable::Cell> scratch;
    ASSERT_TRUE(same(table.InKeyOrder(scratch))) << "round " << round;
    table.Compact();
    ASSERT_TRUE(same(table.InKeyOrder(scratch))) << "round " << round;
    ASSERT_EQ(table.bytes(), cells * sizeof(KillTable::Cell)) << "round " << round;
    // Found without the index, and counted on as a capture that goes on would.
    for (const KillTable::Cell& cell : expected) ASSERT_EQ(table.count(cell.key), cell.count);
    if (!expected.empty()) {
      ++*table.Find(expected.front().key);
      const std::uint32_t last = KillTable::KeyOf(4095, 1023, 1023);
      if (table.Find(last) == nullptr) table.Add(last, 7);
      ASSERT_NE(table.count(last), 0);
      ASSERT_EQ(table.count(expected.front().key), expected.front().count + 1);
    }
  }
}

}  // namespace
}  // namespace mrv
