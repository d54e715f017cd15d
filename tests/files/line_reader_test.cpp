#include "files/line_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/paths.h"

namespace mrv {
namespace {

TEST(LineReaderTest, SplitsAtEveryLineBreakAndCutsLongLines) {
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

struct ReadLine {
  std::string text;
  std::uint64_t length;
  bool overlong;
  bool operator==(const ReadLine&) const = default;
};

template <typename Line>
std::vector<ReadLine> ReadAll(const std::filesystem::path& file, std::size_t max_line,
                              std::size_t chunk) {
  LineReader reader(max_line, chunk);
  EXPECT_TRUE(reader.Open(file));
  std::vector<ReadLine> lines;
  Line line;
  while (reader.Next(line)) {
    lines.push_back({std::string(line), reader.last_length(), reader.overlong()});
  }
  EXPECT_FALSE(reader.read_error());
  return lines;
}

// Lines taken as views into the buffer are the lines taken as copies, whatever the
// breaks and wherever the chunks end: a CR ending one chunk and its LF starting the
// next, lines longer than a chunk, and chunks without any CR next to chunks with one.
TEST(LineReaderTest, ViewsGiveTheSameLinesAsCopies) {
  test::ScratchDir dir("views");
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    std::string content(random() % 40, 'a');
    for (char& c : content) {
      const unsigned pick = random() % 10;
      c = pick == 0 ? '\r' : pick == 1 ? '\n' : static_cast<char>('a' + pick);
    }
    if (round % 3 == 0) {
      for (std::size_t at = content.find('\r'); at != std::string::npos; at = content.find('\r'))
        content[at] = 'x';  // no CR anywhere
    }
    test::WriteFileBytes(dir / "f.txt", content);
    const std::size_t chunk = 1 + random() % 7;
    const std::size_t max_line = round % 2 == 0 ? 1000 : 1 + random() % 4;
    ASSERT_EQ(ReadAll<std::string_view>(dir / "f.txt", max_line, chunk),
              ReadAll<std::string>(dir / "f.txt", max_line, chunk))
        << "chunk " << chunk << ", max line " << max_line;
  }
}

}  // namespace
}  // namespace mrv
