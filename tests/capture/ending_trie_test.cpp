#include "capture/matching/ending_trie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace mrv {
namespace {

// The numbers of a line by testing every text, sorted and without repeats.
std::vector<std::uint32_t> NumbersByTestingEveryText(const std::vector<EndingTrie::Ending>& endings,
                                                    std::vector<std::uint32_t> always,
                                                    std::string_view line) {
  for (const auto& [text, number] : endings) {
    if (line.ends_with(text)) always.push_back(number);
  }
  std::sort(always.begin(), always.end());
  always.erase(std::unique(always.begin(), always.end()), always.end());
  return always;
}

// One walk from the line's last byte gives what testing every text gives: for texts
// that end one another, share their last bytes or are the same, for nodes with more
// children than one block of keys, for lines shorter than a text, and with numbers every
// line gets.
TEST(EndingTrieTest, GivesWhatTestingEveryTextGives) {
  std::mt19937 random(31);
  for (int round = 0; round < 400; ++round) {
    // A small alphabet makes texts end one another; a wide one gives a node many children.
    const std::string alphabet = round % 2 == 0 ? "ab." : "abcdefghijklmnopqrstuvwxyz0123456789";
    auto text_of = [&](std::size_t max_length) {
      std::string text(random() % (max_length + 1), ' ');
      for (char& c : text) c = alphabet[random() % alphabet.size()];
      return text;
    };
    std::vector<std::string> texts;
    std::vector<EndingTrie::Ending> endings;
    for (std::uint32_t i = 0, count = 1 + random() % 60; i < count; ++i) {
      texts.push_back(text_of(5) + alphabet[random() % alphabet.size()]);
    }
    // A node with a child for every byte of the wide alphabet.
    if (round % 4 == 1) {
      for (const char c : alphabet) texts.push_back(std::string(1, c) + "z9");
    }
    for (std::uint32_t i = 0; i < texts.size(); ++i) endings.push_back({texts[i], 3 * i});
    std::vector<std::uint32_t> always;
    if (round % 3 == 0) always = {4, 1, 3 * static_cast<std::uint32_t>(texts.size())};
    const EndingTrie trie(endings, always);
    for (int i = 0; i < 100; ++i) {
      const std::string line = text_of(9) + (i % 3 == 0 ? "z9" : "");
      const auto found = trie.NumbersFor(line);
      const std::vector<std::uint32_t> numbers(found.begin(), found.end());
      ASSERT_EQ(numbers, NumbersByTestingEveryText(endings, always, line)) << "'" << line << "'";
      EXPECT_TRUE(trie.MayGiveAny(line) || numbers.empty()) << "'" << line << "'";
    }
  }
}

}  // namespace
}  // namespace mrv
