#include "files/value_list.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>


namespace mrv {
namespace {

TEST(ValueListTest, WritesAndAddsBack) {
  std::vector<std::int32_t> values = {0, -1, 2147483647};
  EXPECT_EQ(IntsToText(values), "0;-1;2147483647;");
  std::array<std::int32_t, 3> target = {1, 1, 1};
  EXPECT_TRUE(TextToInts("0;-1;5;", target, 3));
  EXPECT_EQ(target, (std::array<std::int32_t, 3>{1, 0, 6}));
  EXPECT_TRUE(TextToInts("4;", target, 3));  // fewer fields leave the rest alone
  EXPECT_EQ(target[0], 5);
  for (const char* bad : {"1;2;3;4;", "1;x;", "1;;"}) EXPECT_FALSE(TextToInts(bad, target, 3));
  EXPECT_TRUE(TextToInts("", target, 3));
  std::array<std::uint8_t, 2> bytes = {250, 0};
  EXPECT_TRUE(TextToBytes("10;-1;", bytes, 2));
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 2>{4, 255}));
}

}  // namespace
}  // namespace mrv
