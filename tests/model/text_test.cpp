#include "model/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace mrv {
namespace {

TEST(TextTest, FormatsSecondsAndRatios) {
  // clang-format off
  for (auto [seconds, text] : std::initializer_list<std::pair<int, const char*>>{
           {0, "0s"}, {59, "59s"}, {65, "1:5s"}, {3599, "59:59s"}, {3907, "1:05:07s"},
           {2147483, "596:31:23s"}}) {
    // clang-format on
    EXPECT_EQ(FormatSeconds(seconds), text) << seconds;
  }
  // Four characters at most, cut and never rounded, never an exponent.
  // clang-format off
  for (auto [ratio, text] : std::initializer_list<std::pair<double, const char*>>{
           {2.0 / 3.0, "0.66"}, {100.0 / 3.0, "33.3"}, {1.5, "1.5"}, {66.666, "66.6"},
           {100, "100"}, {123.45, "123."}, {0, "0"}, {12345, "1234"}, {0.00001, "0.00"},
           {0.999999999999999999, "1"}}) {
    // clang-format on
    EXPECT_EQ(FormatRatio(ratio), text) << ratio;
  }
}

TEST(TextTest, ParsesThousandthsWithTiesToEvenOnTheWrittenDigits) {
  // clang-format off
  using Case = std::pair<const char*, std::optional<std::int64_t>>;
  for (auto [text, value] : std::initializer_list<Case>{
           {"1.5", 1500}, {"12", 12000}, {"0.66", 660}, {"0.0005", 0}, {"0.0015", 2},
           {"0.00151", 2}, {"123.", 123000}, {"-2.5", -2500}, {"perfect", std::nullopt},
           {"", std::nullopt}, {".", std::nullopt}}) {
    // clang-format on
    EXPECT_EQ(ParseThousandths(text), value) << text;
  }
}

TEST(TextTest, ExtractsAndSplitsFields) {
  std::string text = "GAME=3=2024-05-01 21:07";
  EXPECT_EQ(ExtractField(text, '=', 1, false), "GAME");
  EXPECT_EQ(ExtractField(text, '=', 3, false), "2024-05-01 21:07");
  EXPECT_EQ(ExtractField(text, '=', 4, false) + ExtractField(text, '=', 0, false), "");
  EXPECT_EQ(ExtractField(text, '=', 2, true), "3");
  EXPECT_EQ(text, "GAME=2024-05-01 21:07");  // the delimiter before the field stays
  EXPECT_EQ(ExtractField(text, '=', 2, true), "2024-05-01 21:07");
  EXPECT_EQ(text, "GAME=");
  std::string list = "1;2;";
  EXPECT_EQ(ExtractField(list, ';', 1, true), "1");
  EXPECT_EQ(list, "2;");

  text = "aKnife;bPistol;";
  std::string token;
  SplitToken(text, ';', token);
  EXPECT_EQ(token + "|" + text, "aKnife|bPistol;");
  SplitToken(text, ';', token);
  SplitToken(text, ';', token);
  EXPECT_EQ(token + "|" + text, "|");
  text = "tail";
  SplitToken(text, ';', token);
  EXPECT_EQ(token + "|" + text, "tail|");
}

TEST(TextTest, ParsesNumbersStrictlyAndSaturates) {
  EXPECT_EQ(ParseInt32("-1"), -1);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  for (const char* bad : {"2147483648", " 1", "1x", ""}) EXPECT_FALSE(ParseInt32(bad)) << bad;
  EXPECT_EQ(SaturatingAdd(2147483647, 1), 2147483647);
  EXPECT_EQ(SaturatingAdd(-2147483647 - 1, -5), -2147483647 - 1);
  EXPECT_TRUE(EqualsIgnoreCase("Player", "PLAYER"));
  EXPECT_FALSE(EqualsIgnoreCase("\xe9", "\xc9"));  // ASCII letters only
}

}  // namespace
}  // namespace mrv
