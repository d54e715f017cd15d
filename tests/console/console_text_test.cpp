#include "capture/console/console_text.h"

#include <gtest/gtest.h>

#include <string>

namespace mrv {
namespace {

// Feeds the raw text in pieces of the given size, as a pipe may cut it.
std::string CleanInPieces(std::string_view raw, std::size_t piece) {
  ConsoleText text;
  for (std::size_t i = 0; i < raw.size(); i += piece) text.Append(raw.substr(i, piece));
  return text.text();
}

TEST(ConsoleTextTest, ShowsTheTextAsTheConsoleWindowDoes) {
  const std::string raw =
      "^1Fak^7 has taken the ^4Blue^7 flag!\n"
      "\x1b[1;31mred\x1b[0m and \x1b]0;window title\x07plain\n"
      "50^% off ^^1caret^a\n"
      "bell\x07 back\bspace\ttab\n"
      "cr lf\r\n"
      "cr alone\r"
      "lf\n";
  const std::string shown =
      "Fak has taken the Blue flag!\r\n"
      "red and plain\r\n"
      "50^% off ^caret^a\r\n"
      "bell backspace\ttab\r\n"
      "cr lf\r\n"
      "cr alone\r\n"
      "lf\r\n";
  // However the output is cut, even inside a colour code, an escape or a CR LF.
  for (std::size_t piece : {raw.size(), std::size_t{1}, std::size_t{2}, std::size_t{7}}) {
    EXPECT_EQ(CleanInPieces(raw, piece), shown) << "pieces of " << piece;
  }
}

TEST(ConsoleTextTest, KeepsOnlyWholeLines) {
  ConsoleText text;
  EXPECT_EQ(text.Append("You hit Rasec in the"), "");
  EXPECT_EQ(text.text(), "");
  EXPECT_EQ(text.Append(" Head.\nhalf"), "You hit Rasec in the Head.\r\n");
  // Dropping the kept text (never more than there is) leaves the line still arriving;
  // positions count the whole output.
  text.DropFront(100);
  EXPECT_EQ(text.Append(" a line\n"), "half a line\r\n");
  EXPECT_EQ(text.text(), "half a line\r\n");
  EXPECT_EQ(text.begin(), 28u);
  EXPECT_EQ(text.end(), 41u);
  text.Append("cut");
  text.Clear();
  EXPECT_EQ(text.Append("new\n"), "new\r\n");
}

TEST(ConsoleTextTest, DropsTheOldestLinesWhenFull) {
  ConsoleText text(64);
  for (int i = 0; i < 20; ++i) text.Append("line " + std::to_string(100 + i) + "\n");
  EXPECT_LE(text.text().size(), 64u);
  EXPECT_TRUE(text.text().starts_with("line ")) << "cut at a line's start";
  EXPECT_TRUE(text.text().ends_with("line 119\r\n"));
  // A line that never ends is broken before it outgrows the text.
  const std::string_view added = text.Append(std::string(200, 'x'));
  EXPECT_FALSE(added.empty());
  EXPECT_LE(text.text().size(), 64u);
}

}  // namespace
}  // namespace mrv
