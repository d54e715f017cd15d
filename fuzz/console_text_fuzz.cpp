// Feeds arbitrary game output to the console text, at once and cut into pieces where the
// input says, as reads cut it. Both must keep the same text, and the lines each Append
// returns must add up to it; with a small capacity the text must stay within it, hold
// whole lines only, and keep its positions in step.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "capture/console/console_text.h"

namespace {

bool WholeLines(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool breaks = text[at] == '\r' ? at + 1 < text.size() && text[at + 1] == '\n'
                                         : text[at] != '\n' || (at > 0 && text[at - 1] == '\r');
    if (!breaks || (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7f) {
      return false;
    }
  }
  return text.empty() || text.ends_with("\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t step = data[0] % 13 + 1;
  const std::string_view raw(reinterpret_cast<const char*>(data) + 1, size - 1);

  mrv::ConsoleText whole(mrv::ConsoleText::kDefaultCapacity);
  mrv::ConsoleText pieces(mrv::ConsoleText::kDefaultCapacity);
  mrv::ConsoleText small(64 + data[0]);
  std::string returned = std::string(whole.Append(raw));
  std::string returned_in_pieces;
  for (std::size_t at = 0; at < raw.size(); at += step) {
    returned_in_pieces += pieces.Append(raw.substr(at, step));
    const std::string_view completed = small.Append(raw.substr(at, step));
    if (small.text().size() > 64 + data[0] || small.end() - small.begin() != small.text().size() ||
        !WholeLines(completed)) {
      __builtin_trap();
    }
  }
  if (whole.text() != pieces.text() || returned != whole.text() ||
      returned_in_pieces != pieces.text() || !WholeLines(whole.text()) ||
      !WholeLines(small.text())) {
    __builtin_trap();
  }
  return 0;
}
