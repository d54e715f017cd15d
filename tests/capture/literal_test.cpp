#include "capture/matching/literal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace mrv {
namespace {

// The prepared search finds what std::string_view::find finds, from any start, in
// lines long enough for the 16-wide steps and their tails, with needles whose rarest
// bytes repeat and stand at either end.
TEST(LiteralTest, FindsWhatAPlainSearchFinds) {
  std::mt19937 random(3);
  auto text_of = [&](std::size_t length, std::string_view alphabet) {
    std::string text(length, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int i = 0; i < 30000; ++i) {
    const std::string_view alphabet = i % 2 == 0 ? "ab " : "ab .xZ";
    const std::string line = text_of(random() % 80, alphabet);
    const Literal needle(text_of(1 + random() % 5, alphabet));
    const std::size_t from = random() % (line.size() + 2);
    ASSERT_EQ(needle.FindIn(line, from), std::string_view(line).find(needle.text(), from))
        << "'" << needle.text() << "' in '" << line << "' from " << from;
  }
  EXPECT_EQ(Literal(" by ").FindIn("Rasec was pistol whipped by Fak."), 24u);
}

}  // namespace
}  // namespace mrv
