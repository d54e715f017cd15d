#include "files/value_list.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>


namespace mrv {
namespace {

TEST(ValueListTest, WritesAndReadsBackCountsOnly) {
  std::vector<std::int32_t> values = {0, -1, 2147483647};
  EXPECT_EQ(IntsToText(values), "0;-1;2147483647;");
  std::array<std::int32_t, 3> target = {1, 1, 1};
  EXPECT_TRUE(TextToCounts("0;2;5;", target, ListLength::kExact));
  EXPECT_EQ(target, (std::array<std::int32_t, 3>{1, 3, 6}));     // added
  EXPECT_TRUE(TextToCounts("4;", target, ListLength::kAtMost));  // the rest left alone
  EXPECT_EQ(target, (std::array<std::int32_t, 3>{5, 3, 6}));
  EXPECT_TRUE(TextToCounts("", target, ListLength::kAtMost));
  for (const char* bad : {"1;2;3;4;", "1;x;", "1;;", "1;-1;", "-2147483648;", "4;"}) {
    EXPECT_FALSE(TextToCounts(bad, target, ListLength::kExact)) << bad;
  }
  EXPECT_FALSE(TextToCounts("0;-1;", target, ListLength::kAtMost));
  std::array<std::uint8_t, 2> bytes = {};
  EXPECT_TRUE(TextToBytes("10;255;", bytes));
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 2>{10, 255}));
  for (const char* bad : {"10;-1;", "10;256;", "10;", "1;2;3;"})
    EXPECT_FALSE(TextToBytes(bad, bytes));
}

}  // namespace
}  // namespace mrv
