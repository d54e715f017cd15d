// A few texts looked for in every console line at once. A line without the byte that
// all of them hold (chosen to be rare in console text) holds none of them, which one
// memchr tells; any other line is read once through a ByteTrie, from the first place a
// text could start around the first such byte to the last place one could end around
// the last. The result is that of searching each text in turn, in time that does not
// grow with the number of texts.
#pragma once

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
};

}  // namespace mrv
