#include "files/value_list.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "files/line_reader.h"
#include "support/paths.h"

namespace mrv {
namespace {

TEST(ValueList, WritesAndAddsBack) {
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

TEST(LineReader, SplitsAtEveryLineBreakAndCutsLongLines) {
  test::ScratchDir dir("lines");
  std::string content = "a\r\nbb\rccc\n\nlast";
  content += "\r\n" + std::string(200000, 'x') + "\ny";
  test::WriteFileBytes(dir / "f.txt", content);
  LineReader reader(1000);
  ASSERT_TRUE(reader.Open(dir / "f.txt"));
  std::vector<std::string> lines;
  std::string line;
  bool saw_overlong = false;
  while (reader.Next(line)) {
    if (reader.overlong()) {
      saw_overlong = true;
      EXPECT_EQ(reader.last_length(), 200000u);
    }
    lines.push_back(line);
  }
  EXPECT_EQ(lines,
            (std::vector<std::string>{"a", "bb", "ccc", "", "last", std::string(1000, 'x'), "y"}));
  EXPECT_TRUE(saw_overlong);
}

}  // namespace
}  // namespace mrv
