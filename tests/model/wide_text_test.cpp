#include "model/wide_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "model/text.h"

namespace mrv {
namespace {

// Every word-at-a-time test answers as its byte-by-byte form, at every length around a
// word's edges, for letters of both cases, the bytes beside the letters ('@', '[', '`',
// '{'), bytes above 127 and line breaks; texts equal but for letter case hash alike.
TEST(WideTextTest, AnswersAsItsPlainForm) {
  std::mt19937 random(37);
  const std::string alphabet = "aAzZmM@[`{\xC1\xE1\r\n 09";
  auto text_of = [&](std::size_t length) {
    std::string text(length, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int i = 0; i < 50000; ++i) {
    const std::string a = text_of(random() % 24);
    // Often the same text with some letters' case flipped, or one byte changed.
    std::string b = random() % 4 == 0 ? text_of(a.size()) : a;
    for (char& c : b) {
      if (random() % 3 == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c ^= 0x20;
    }
    if (!b.empty() && random() % 4 == 0) b[random() % b.size()] = alphabet[random() % 16];
    ASSERT_EQ(EqualsIgnoringCaseWide(a, b), EqualsIgnoreCase(a, b)) << a << "|" << b;
    if (EqualsIgnoreCase(a, b)) {
      ASSERT_EQ(HashIgnoringCase(a), HashIgnoringCase(b)) << a << "|" << b;
    }
    ASSERT_EQ(SameBytes(a.data(), b.data(), a.size()), a == b) << a << "|" << b;
    const std::string_view part = std::string_view(b).substr(0, random() % (b.size() + 1));
    ASSERT_EQ(StartsWithBytes(a, part), a.starts_with(part)) << a << "|" << part;
    ASSERT_EQ(EndsWithBytes(a, part), a.ends_with(part)) << a << "|" << part;
    ASSERT_EQ(HoldsLineBreak(a), a.find_first_of("\r\n") != std::string::npos) << a;
  }
}

}  // namespace
}  // namespace mrv
