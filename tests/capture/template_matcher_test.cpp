#include "capture/template_matcher.h"

#include <gtest/gtest.h>

#include <random>

#include "model/text.h"

namespace mrv {
namespace {

TemplateResult Match(std::string_view text, std::string_view line, SlotTexts& slots) {
  return MatchTemplate(CompiledTemplate(text), line, slots);
}

TEST(TemplateMatcher, ReadsEachShape) {
  SlotTexts s;
  EXPECT_EQ(Match("<VICTIM><MSG> killed himself.</MSG>", "Bob killed himself.", s),
            TemplateResult::kMatch);
  EXPECT_EQ(s.victim, "Bob");
  EXPECT_EQ(s.killer, AbsentMark);

  const std::string_view framed = "<MSG>[</MSG><KILLER><MSG> fragged </MSG><VICTIM><MSG>]</MSG>";
  EXPECT_EQ(Match(framed, "[Al fragged Bo]", s), TemplateResult::kMatch);
  EXPECT_EQ(s.killer, "Al");
  EXPECT_EQ(s.victim, "Bo");
  EXPECT_EQ(Match(framed, "x[Al fragged Bo]", s), TemplateResult::kNoMatch);
  EXPECT_EQ(Match(framed, "[]", s), TemplateResult::kNoMatch);

  // Two slots without a suffix read as one slot: the line must end with the middle.
  const std::string_view open_end = "<KILLER><MSG> hit </MSG><VICTIM>";
  EXPECT_EQ(Match(open_end, "Bob hit ", s), TemplateResult::kMatch);
  EXPECT_EQ(s.killer, "Bob");
  EXPECT_EQ(s.victim, AbsentMark);
  EXPECT_EQ(Match(open_end, "Bob hit Al", s), TemplateResult::kNoMatch);

  EXPECT_EQ(Match("<VICTIM><MSG> died.</MSG>", " died.", s), TemplateResult::kMatch);
  EXPECT_EQ(s.victim, "");
}

TEST(TemplateMatcher, MiddleTextMustStandOnceUnlessItIsAColourReset) {
  SlotTexts s;
  EXPECT_EQ(Match("<VICTIM><MSG> by </MSG><KILLER><MSG>.</MSG>", "A by B by C.", s),
            TemplateResult::kNoMatch);
  EXPECT_EQ(s.killer, AbsentMark);
  EXPECT_EQ(s.victim, AbsentMark);
  // Deleting the first "ab" of "xaabby" closes up into another one.
  EXPECT_EQ(Match("<VICTIM><MSG>ab</MSG><KILLER><MSG>.</MSG>", "xaabby.", s),
            TemplateResult::kNoMatch);
  EXPECT_EQ(Match("<VICTIM><MSG>ab</MSG><KILLER><MSG>.</MSG>", "xaby.", s), TemplateResult::kMatch);
  EXPECT_EQ(Match("<MSG>^1</MSG><KILLER><MSG>^7</MSG><VICTIM><MSG>.</MSG>", "^1Fak^7: ^7hi.", s),
            TemplateResult::kMatch);
  EXPECT_EQ(s.killer, "Fak");
  EXPECT_EQ(s.victim, ": ^7hi");
}

// The compiled once-test must agree with deleting occurrences one by one.
TEST(TemplateMatcher, AgreesWithCountingByDeletion) {
  std::mt19937 random(7);
  auto text_of = [&](int max_length) {
    std::string text(random() % static_cast<unsigned>(max_length + 1), 'a');
    for (char& c : text) c = "ab"[random() % 2];
    return text;
  };
  SlotTexts s;
  for (int i = 0; i < 5000; ++i) {
    const std::string pattern = text_of(3);
    const std::string body = text_of(10);
    if (pattern.empty()) continue;
    const CompiledTemplate compiled("<VICTIM><MSG>" + pattern + "</MSG><KILLER><MSG>.</MSG>");
    const bool once = CountOccurrences(pattern, body) == 1;
    const std::string line = body + ".";
    ASSERT_EQ(MatchTemplate(compiled, line, s) == TemplateResult::kMatch, once)
        << pattern << " in " << body;
    if (once) {
      EXPECT_EQ(std::string(s.victim) + pattern + std::string(s.killer), body);
    }
  }
}

TEST(TemplateMatcher, FaultsShowOnlyAfterTheLiteralsReadBeforeThem) {
  SlotTexts s;
  // Empty prefix block, unknown tag, no middle block, two killers, empty suffix block,
  // text after the suffix.
  EXPECT_EQ(Match("<MSG></MSG><VICTIM><MSG> x</MSG>", "anything", s), TemplateResult::kMalformed);
  EXPECT_EQ(Match("<VICTIM><MSG> x</MSG><PLAYER>", "a x", s), TemplateResult::kMalformed);
  EXPECT_EQ(Match("<VICTIM><MSG> x</MSG><PLAYER>", "a y", s), TemplateResult::kNoMatch);
  EXPECT_EQ(Match("<MSG>pre</MSG><VICTIM>", "nothing here", s), TemplateResult::kNoMatch);
  EXPECT_EQ(Match("<MSG>pre</MSG><VICTIM>", "a pre b", s), TemplateResult::kMalformed);
  // The second killer is found before the suffix is looked at.
  EXPECT_EQ(Match("<KILLER><MSG> m </MSG><KILLER><MSG>.</MSG>", "a m b", s),
            TemplateResult::kMalformed);
  EXPECT_EQ(Match("<VICTIM><MSG> m </MSG><KILLER><MSG></MSG>", "a m b", s),
            TemplateResult::kMalformed);
  EXPECT_EQ(Match("<VICTIM><MSG> m </MSG><KILLER><MSG>!</MSG>junk", "a m b", s),
            TemplateResult::kNoMatch);
  EXPECT_EQ(Match("<VICTIM><MSG> m </MSG><KILLER><MSG>!</MSG>junk", "a m b!", s),
            TemplateResult::kMalformed);
  // An empty middle never occurs, so nothing after it is ever read.
  EXPECT_EQ(CompiledTemplate("<VICTIM><MSG></MSG>junk").form(),
            CompiledTemplate::Form::kNeverMatches);
  EXPECT_EQ(Match("<VICTIM><MSG></MSG><KILLER><MSG>.</MSG>", "a.", s), TemplateResult::kNoMatch);
}

TEST(TemplateText, TagTextAndCountOccurrences) {
  EXPECT_EQ(TagText("a<MSG>b</MSG>c<MSG>d</MSG>"), "b");
  EXPECT_EQ(TagText("<MSG>open"), "");
  EXPECT_EQ(TagText("</MSG>x<MSG>"), "");
  EXPECT_EQ(CountOccurrences("ab", "aabb"), 2);
  EXPECT_EQ(CountOccurrences("aa", "aaa"), 1);
  EXPECT_EQ(CountOccurrences("x", "abc"), 0);
  EXPECT_EQ(CountOccurrences("", "abc"), 0);
}

}  // namespace
}  // namespace mrv
