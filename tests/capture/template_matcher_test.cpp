#include "capture/matching/template_matcher.h"

#include <gtest/gtest.h>

#include <random>

#include "capture/matching/template_set.h"
#include "model/text.h"

namespace mrv {
namespace {

// How many times the pattern can be found and deleted from a copy of the text, one
// first occurrence at a time (text closing up after a deletion can form a new one).
int CountOccurrences(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return 0;
  std::string rest(text);
  int count = 0;
  for (std::size_t at = rest.find(pattern); at != std::string::npos; at = rest.find(pattern)) {
    rest.erase(at, pattern.size());
    ++count;
  }
  return count;
}

TemplateResult Match(std::string_view text, std::string_view line, SlotTexts& slots) {
  return MatchTemplate(CompiledTemplate(text), line, slots);
}

TEST(TemplateMatcherTest, ReadsEachShape) {
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

TEST(TemplateMatcherTest, MiddleTextMustStandOnceUnlessItIsAColourReset) {
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
TEST(TemplateMatcherTest, AgreesWithCountingByDeletion) {
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

TEST(TemplateMatcherTest, FaultsShowOnlyAfterTheLiteralsReadBeforeThem) {
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

TEST(TemplateTextTest, TagText) {
  EXPECT_EQ(TagText("a<MSG>b</MSG>c<MSG>d</MSG>"), "b");
  EXPECT_EQ(TagText("<MSG>open"), "");
  EXPECT_EQ(TagText("</MSG>x<MSG>"), "");
}

// The set's first match, found through the line's ending, is the first match of a scan
// of every template in order, with the same slots and the same faults met on the way:
// for endings of one, two and more bytes, shared endings, templates that never match
// and malformed ones among them, in short and long lines.
TEST(TemplateSetTest, FirstMatchAgreesWithAnInOrderScan) {
  std::mt19937 random(23);
  auto text_of = [&](std::size_t max_length) {
    std::string text(1 + random() % max_length, 'a');
    for (char& c : text) c = "ab."[random() % 3];
    return text;
  };
  auto block = [&](std::size_t max_length) { return "<MSG>" + text_of(max_length) + "</MSG>"; };
  for (int round = 0; round < 300; ++round) {
    std::vector<CompiledTemplate> templates;
    for (int i = 0; i < 12; ++i) {
      switch (random() % 6) {
        case 0:
          templates.emplace_back("<VICTIM>" + block(4));
          break;
        case 1:
          templates.emplace_back(block(2) + "<KILLER>" + block(3) + "<VICTIM>" + block(3));
          break;
        case 2:
          templates.emplace_back("<KILLER>" + block(2) + "<VICTIM>" + block(1));
          break;
        case 3:
          templates.emplace_back("<VICTIM>" + block(3) + "<VICTIM>" + block(1));  // malformed
          break;
        case 4:
          templates.emplace_back("<KILLER><MSG></MSG><VICTIM>" + block(1));  // never matches
          break;
        default:
          templates.emplace_back(block(2) + "<KILLER>" + block(3) + "<NOBODY>");  // malformed
      }
    }
    const TemplateSet set(std::move(templates));
    for (int i = 0; i < 50; ++i) {
      // Long lines too, which are sifted by their byte pairs rather than searched.
      std::string line = random() % 4 == 0 ? "" : text_of(12);
      if (random() % 3 == 0) line = std::string(50 + random() % 40, 'x') + line;
      bool faults = false, plain_faults = false;
      const auto found = set.FirstMatch(ConsoleLine(line), faults);
      const auto plain = set.FirstMatchInOrder(line, plain_faults);
      ASSERT_EQ(found.has_value(), plain.has_value()) << line;
      EXPECT_EQ(faults, plain_faults) << line;
      if (found) {
        EXPECT_EQ(found->index, plain->index) << line;
        EXPECT_EQ(found->texts.killer, plain->texts.killer) << line;
        EXPECT_EQ(found->texts.victim, plain->texts.victim) << line;
      }
    }
  }
}
// The summary worked out 16 pairs at a time is the one worked out pair by pair, for
// every byte value and at lengths around the block's edges.
TEST(ConsoleLineTest, WidePairSummaryIsThePlainOne) {
  std::mt19937 random(29);
  for (int i = 0; i < 20000; ++i) {
    std::string line(random() % 100, ' ');
    for (char& c : line) c = static_cast<char>(random() % 256);
    ASSERT_EQ(ConsoleLine::WidePairsOf(line), ConsoleLine::PairsOf(line)) << line.size();
  }
}

}  // namespace
}  // namespace mrv
