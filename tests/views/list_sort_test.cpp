#include "views/list_sort.h"

#include <gtest/gtest.h>

#include <random>

namespace mrv {
namespace {

// The selection sort written out: for each position, scan down for the best key, the
// first found winning a tie, and exchange.
std::vector<int> ScanAndExchange(std::vector<std::int64_t> keys, bool largest_first) {
  std::vector<int> rows(keys.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::size_t best = i;
    for (std::size_t j = i + 1; j < keys.size(); ++j) {
      if (largest_first ? keys[j] > keys[best] : keys[j] < keys[best]) best = j;
    }
    std::swap(keys[i], keys[best]);
    std::swap(rows[i], rows[best]);
  }
  return rows;
}

TEST(SelectionSortOrderTest, ArrangesRowsExactlyAsTheScanningSortWithItsTies) {
  std::mt19937 random(8);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::int64_t> keys(random() % 40);
    for (auto& key : keys) key = static_cast<std::int64_t>(random() % 6) - 2;  // many ties
    for (const bool largest_first : {true, false}) {
      EXPECT_EQ(SelectionSortOrder(keys, largest_first), ScanAndExchange(keys, largest_first))
          << "round " << round;
    }
  }
  // Not a stable sort: the exchange carries row 0 past its equal, row 1.
  EXPECT_EQ(SelectionSortOrder(std::vector<std::int64_t>{1, 1, 2}, true),
            (std::vector<int>{2, 1, 0}));
}

}  // namespace
}  // namespace mrv
