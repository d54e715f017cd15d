#include "capture/typed_line.h"

#include <algorithm>
#include <iterator>

namespace mrv {

namespace {

constexpr char kUntypable = '?';

char Typable(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte < 0x7f ? c : kUntypable;
}

char Inert(char c) {
  switch (c) {
    case ';':
      return ':';
    case '"':
      return '\'';
    case '\\':
    case '/':
      return '|';
    default:
      return Typable(c);
  }
}

}  // namespace

TypedLine& TypedLine::Add(std::string_view words) {
  std::transform(words.begin(), words.end(), std::back_inserter(text_), Typable);
  return *this;
}

TypedLine& TypedLine::AddFromGame(std::string_view text) {
  text = text.substr(0, std::min(text.size(), kMaxGameText));
  std::transform(text.begin(), text.end(), std::back_inserter(text_), Inert);
  return *this;
}

}  // namespace mrv
