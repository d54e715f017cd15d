#include "capture/matching/text_set.h"

#include <algorithm>
#include <bitset>

#include "model/wide_text.h"

namespace mrv {

namespace {

// How common a byte is in console text, higher is more common: letters and blanks,
// then the digits, colour-code carets and full stops of names, codes and sentences.
int Commonness(unsigned char c) {
  if (c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 2;
  if ((c >= '0' && c <= '9') || c == '^' || c == '.') return 1;
  return 0;
}

// The rarest byte that every text holds, or -1.
int SharedKey(const std::vector<std::string>& texts) {
  std::bitset<256> shared;
  shared.set();
  for (const std::string& text : texts) {
    std::bitset<256> held;
    for (const char c : text) held.set(static_cast<unsigned char>(c));
    shared &= held;
  }
  int key = -1;
  for (int byte = 0; byte < 256; ++byte) {
    if (shared[static_cast<std::size_t>(byte)] &&
        (key < 0 || Commonness(static_cast<unsigned char>(byte)) <
                        Commonness(static_cast<unsigned char>(key)))) {
      key = byte;
    }
  }
  return texts.empty() ? -1 : key;
}

}  // namespace

TextSet::TextSet(const std::vector<std::string>& texts) : trie_(texts), key_(SharedKey(texts)) {
  if (key_ < 0) return;
  const char key = static_cast<char>(key_);
  for (const std::string& text : texts) {
    before_key_ = std::max(before_key_, text.find(key));
    from_key_ = std::max(from_key_, text.size() - text.rfind(key));
    if (texts.size() <= kFewTexts) few_.push_back({text, text.find(key)});
  }
}

std::optional<bool> TextSet::FewAt(std::string_view line, std::size_t first) const {
  // Each text is compared at every key byte: bounded, so that a line made of key bytes
  // costs no more than the trie's one pass.
  constexpr int kMostKeys = 4;
  const char key = static_cast<char>(key_);
  int keys = 0;
  for (std::size_t at = first; at != std::string_view::npos; at = line.find(key, at + 1)) {
    if (++keys > kMostKeys) return std::nullopt;
    for (const KeyedText& keyed : few_) {
      if (at < keyed.key_at) continue;
      const std::size_t start = at - keyed.key_at;
      if (start + keyed.text.size() <= line.size() &&
          SameBytes(line.data() + start, keyed.text.data(), keyed.text.size())) {
        return true;
      }
    }
  }
  return false;
}

bool TextSet::AnyIn(std::string_view line) const {
  if (line.empty()) return false;  // no text is empty
  if (key_ < 0) return trie_.AnyIn(line);
  const char key = static_cast<char>(key_);
  const std::size_t first = line.find(key);
  if (first == std::string_view::npos) return false;
  if (!few_.empty()) {
    if (const auto found = FewAt(line, first)) return *found;
  }
  // Every occurrence of a text holds its first key byte at or after the line's first,
  // and its last at or before the line's last.
  const std::size_t begin = first > before_key_ ? first - before_key_ : 0;
  const std::size_t end = std::min(line.size(), line.rfind(key) + from_key_);
  return trie_.AnyIn(line.substr(begin, end - begin));
}

}  // namespace mrv
