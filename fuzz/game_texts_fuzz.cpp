// Feeds arbitrary bytes to the GameTexts.txt loader as the file, and the file's own
// lines to the recognisers it gives, as console lines. The fast paths behind them are
// checked against their plain forms: a TextSet against searching each text, the
// location names against trying each name in table order, on the first lines of the
// input as texts and as lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "capture/matching/game_texts.h"
#include "capture/matching/text_set.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t kCheckedLines = 64;

const mrv::fuzz::ScratchFolder& Folder() {
  static const mrv::fuzz::ScratchFolder folder("game-texts");
  return folder;
}

std::vector<std::string> Lines(std::string_view input) {
  std::vector<std::string> lines;
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    lines.emplace_back(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  return lines;
}

using Found = std::optional<std::pair<int, std::size_t>>;

Found AsPair(const std::optional<mrv::LocationNames::Found>& found) {
  if (!found) return std::nullopt;
  return std::pair{found->location, found->length};
}

void CheckFastPaths(const std::vector<std::string>& lines) {
  std::vector<std::string> texts;
  std::vector<mrv::LocationNames::Entry> entries;
  for (const std::string& line : lines) {
    if (line.empty() || texts.size() == kCheckedLines) continue;
    texts.push_back(line);
    const bool listed = std::any_of(entries.begin(), entries.end(),
                                    [&line](const auto& entry) { return entry.name == line; });
    if (!listed) entries.push_back({line, static_cast<int>(entries.size())});
  }
  const mrv::TextSet set(texts);
  const mrv::LocationNames names(entries);
  for (std::size_t i = 0; i < lines.size() && i < kCheckedLines; ++i) {
    const std::string_view line = lines[i];
    const bool held = std::any_of(texts.begin(), texts.end(), [line](const std::string& text) {
      return line.find(text) != std::string_view::npos;
    });
    if (set.AnyIn(line) != held) __builtin_trap();
    // The next line's first byte stands beside the name.
    const std::string_view beside =
        i + 1 < lines.size() ? std::string_view(lines[i + 1]).substr(0, 1) : std::string_view();
    Found front;
    Found back;
    for (const auto& entry : entries) {
      if (!front && line.starts_with(entry.name) &&
          line.substr(entry.name.size()).starts_with(beside))
        front = std::pair{entry.location, entry.name.size()};
      if (!back && line.ends_with(entry.name) &&
          line.substr(0, line.size() - entry.name.size()).ends_with(beside))
        back = std::pair{entry.location, entry.name.size()};
    }
    if (AsPair(names.AtFront(line, beside)) != front) __builtin_trap();
    if (AsPair(names.AtBack(line, beside)) != back) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  mrv::fuzz::WriteFile(Folder().path() / mrv::kGameTextsFile, input);
  mrv::SilentPrompt prompt;
  const mrv::GameTexts texts = mrv::LoadGameTexts(Folder().path(), prompt);
  const std::vector<std::string> lines = Lines(input);
  for (const std::string& line : lines) {
    texts.IsChat(line, true);
    texts.IsChat(line, false);
    texts.IsSearchPath(line);
    texts.MarksMapLoad(line);
    if (const auto hit = texts.MatchHit(line)) {
      // The nickname is a part of the line.
      if (hit->nick.data() < line.data() || hit->nick.data() + hit->nick.size() > line.data() + line.size())
        __builtin_trap();
    }
    texts.Unwrapped(line);
  }
  CheckFastPaths(lines);
  return 0;
}
