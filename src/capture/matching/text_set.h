// A few texts looked for in every console line at once. A line without the byte that
// all of them hold (chosen to be rare in console text) holds none of them, which one
// memchr tells. Up to four texts are then compared where that byte stands, each at the
// place its own first such byte would take, as long as the line holds it a few times;
// otherwise the line is read once through a ByteTrie, from the first place a text could
// start around the first such byte to the last place one could end around the last.
// The result is that of searching each text in turn, in time that does not grow with
// the number of texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/byte_trie.h"

namespace mrv {

class TextSet {
 public:
  TextSet() = default;
  // Texts are not empty.
  explicit TextSet(const std::vector<std::string>& texts);

  bool empty() const { return trie_.empty(); }

  // Whether one of the texts occurs in the line.
  bool AnyIn(std::string_view line) const;

 private:
  ByteTrie trie_;
  int key_ = -1;  // the byte every text holds; -1 when they share none
  // With a key: the most bytes a text holds before its first key byte, and from its
  // last key byte to its end.
  std::size_t before_key_ = 0;
  std::size_t from_key_ = 0;
  // With a key and at most kFewTexts texts: each, with the offset of its first key byte.
  static constexpr std::size_t kFewTexts = 4;
  struct KeyedText {
    std::string text;
    std::size_t key_at;
  };
  std::vector<KeyedText> few_;
  // Compares the few texts at each key byte of the line, from `first` on; nullopt when
  // the line holds too many key bytes for that to pay.
  std::optional<bool> FewAt(std::string_view line, std::size_t first) const;
};

}  // namespace mrv
