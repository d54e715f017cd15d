#include "capture/matching/text_set.h"

#include <cstring>

namespace mrv {

namespace {

// How common a byte is in console text, higher is more common: letters and blanks,
// then the digits, colour-code carets and full stops of names, codes and sentences.
int Commonness(unsigned char c) {
  if (c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 2;
  if ((c >= '0' && c <= '9') || c == '^' || c == '.') return 1;
  return 0;
}

}  // namespace

void TextSet::Add(std::string_view text) {
  texts_.emplace_back(text);
  ChooseKey();
}

void TextSet::ChooseKey() {
  key_ = -1;
  for (const char c : texts_.front()) {
    const auto byte = static_cast<unsigned char>(c);
    bool shared = true;
    for (const std::string& text : texts_) shared = shared && text.find(c) != std::string::npos;
    if (shared && (key_ < 0 || Commonness(byte) < Commonness(static_cast<unsigned char>(key_))))
      key_ = byte;
  }
  key_at_.clear();
  if (key_ < 0) return;
  for (const std::string& text : texts_) key_at_.push_back(text.find(static_cast<char>(key_)));
}

bool TextSet::AnyIn(std::string_view line) const {
  if (key_ < 0) {
    for (const std::string& text : texts_) {
      if (line.find(text) != std::string_view::npos) return true;
    }
    return false;
  }
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  for (const char* at = begin;
       at != end && (at = static_cast<const char*>(
                         std::memchr(at, key_, static_cast<std::size_t>(end - at)))) != nullptr;
       ++at) {
    const auto key_pos = static_cast<std::size_t>(at - begin);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
      const std::string& text = texts_[i];
      if (key_pos < key_at_[i]) continue;
      const std::size_t start = key_pos - key_at_[i];
      if (line.size() - start >= text.size() &&
          std::memcmp(begin + start, text.data(), text.size()) == 0) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace mrv
