#include "model/text.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

TEST(FormatSeconds, ChoosesTheShortestForm) {
  EXPECT_EQ(FormatSeconds(0), "0s");
  EXPECT_EQ(FormatSeconds(45), "45s");
  EXPECT_EQ(FormatSeconds(59), "59s");
  EXPECT_EQ(FormatSeconds(65), "1:5s");
  EXPECT_EQ(FormatSeconds(3599), "59:59s");
  EXPECT_EQ(FormatSeconds(3907), "1:05:07s");
  EXPECT_EQ(FormatSeconds(2147483), "596:31:23s");
}

TEST(FormatRatio, CutsToFourCharactersWithoutRounding) {
  EXPECT_EQ(FormatRatio(2.0 / 3.0), "0.66");
  EXPECT_EQ(FormatRatio(10.0 / 3.0), "3.33");
  EXPECT_EQ(FormatRatio(100.0 / 3.0), "33.3");
  EXPECT_EQ(FormatRatio(1.5), "1.5");
  EXPECT_EQ(FormatRatio(66.666), "66.6");
  EXPECT_EQ(FormatRatio(100), "100");
  EXPECT_EQ(FormatRatio(123.45), "123.");
  EXPECT_EQ(FormatRatio(5), "5");
  EXPECT_EQ(FormatRatio(0), "0");
  EXPECT_EQ(FormatRatio(12345), "1234");
  EXPECT_EQ(FormatRatio(0.00001), "0.00");  // plain notation, never an exponent
  EXPECT_EQ(FormatRatio(0.999999999999999999), "1");
}

TEST(ParseThousandths, RoundsTiesToEvenOnTheWrittenDigits) {
  EXPECT_EQ(ParseThousandths("1.5"), 1500);
  EXPECT_EQ(ParseThousandths("12"), 12000);
  EXPECT_EQ(ParseThousandths("0.66"), 660);
  EXPECT_EQ(ParseThousandths("0.0005"), 0);
  EXPECT_EQ(ParseThousandths("0.0015"), 2);
  EXPECT_EQ(ParseThousandths("0.00151"), 2);
  EXPECT_EQ(ParseThousandths("123."), 123000);
  EXPECT_EQ(ParseThousandths("-2.5"), -2500);
  EXPECT_FALSE(ParseThousandths("perfect"));
  EXPECT_FALSE(ParseThousandths(""));
  EXPECT_FALSE(ParseThousandths("."));
}

TEST(ExtractField, TakesTheNthFieldAndOptionallyRemovesIt) {
  std::string text = "GAME=3=2024-05-01 21:07";
  EXPECT_EQ(ExtractField(text, '=', 1, false), "GAME");
  EXPECT_EQ(ExtractField(text, '=', 3, false), "2024-05-01 21:07");
  EXPECT_EQ(ExtractField(text, '=', 4, false), "");
  EXPECT_EQ(ExtractField(text, '=', 0, false), "");
  EXPECT_EQ(ExtractField(text, '=', 2, true), "3");
  EXPECT_EQ(text, "GAME=2024-05-01 21:07");  // the delimiter before the field stays
  EXPECT_EQ(ExtractField(text, '=', 2, true), "2024-05-01 21:07");
  EXPECT_EQ(text, "GAME=");
  std::string list = "1;2;";
  EXPECT_EQ(ExtractField(list, ';', 1, true), "1");
  EXPECT_EQ(list, "2;");
}

TEST(SplitToken, TakesTheFirstItem) {
  std::string text = "aKnife;bPistol;";
  std::string token;
  SplitToken(text, ';', token);
  EXPECT_EQ(token, "aKnife");
  EXPECT_EQ(text, "bPistol;");
  SplitToken(text, ';', token);
  SplitToken(text, ';', token);
  EXPECT_EQ(token, "");
  EXPECT_EQ(text, "");
  text = "tail";
  SplitToken(text, ';', token);
  EXPECT_EQ(token, "tail");
  EXPECT_EQ(text, "");
}

TEST(Numbers, ParseStrictlyAndSaturate) {
  EXPECT_EQ(ParseInt32("-1"), -1);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_FALSE(ParseInt32("2147483648"));
  EXPECT_FALSE(ParseInt32(" 1"));
  EXPECT_FALSE(ParseInt32("1x"));
  EXPECT_FALSE(ParseInt32(""));
  EXPECT_EQ(SaturatingAdd(2147483647, 1), 2147483647);
  EXPECT_EQ(SaturatingAdd(-2147483647 - 1, -5), -2147483647 - 1);
  EXPECT_TRUE(EqualsIgnoreCase("Player", "PLAYER"));
  EXPECT_FALSE(EqualsIgnoreCase("\xe9", "\xc9"));  // ASCII letters only
  EXPECT_EQ(ToUpperAscii("mrv_getmystats "), "MRV_GETMYSTATS ");
}

}  // namespace
}  // namespace mrv
