// A fixed set of texts as a trie of their bytes, for the questions GameTexts.txt asks of
// every console line: which of the texts a line begins with, and whether any of them
// occurs in it (the failure links of Aho and Corasick). Each answer costs one pass over
// the line, however many and however long the texts are, and building it costs time in
// proportion to their bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mrv {

class ByteTrie {
 public:
  ByteTrie() : ByteTrie(std::vector<std::string>{}) {}
  // A text's number is its position in `texts`; empty texts are left out.
  explicit ByteTrie(const std::vector<std::string>& texts);

  bool empty() const { return nodes_.size() == 1; }

  // Whether one of the texts occurs in `line`.
  bool AnyIn(std::string_view line) const;

  // Calls found(number, length) for each text that the bytes from `first` to `last`
  // begin with, shortest first; a text listed twice counts under its first number.
  template <typename Iterator, typename Found>
  void ForEachStart(Iterator first, Iterator last, Found found) const {
    std::uint32_t node = 0;
    std::size_t length = 0;
    for (; first != last; ++first) {
      node = Child(node, static_cast<unsigned char>(*first));
      if (node == kNone) return;
      ++length;
      if (nodes_[node].number >= 0) found(static_cast<std::size_t>(nodes_[node].number), length);
    }
  }

 private:
  static constexpr std::uint32_t kNone = 0;  // the root is nobody's child

  struct Node {
    std::uint32_t first_child = 0;  // the children follow each other, by byte
    std::uint32_t fail = 0;         // the longest proper end of this text that is a node
    std::int32_t number = -1;       // the text that ends here, or -1
    std::uint16_t child_count = 0;
    std::uint8_t byte = 0;  // the last byte of this node's text
    bool output = false;    // a text ends here, or at a node along the failure links
  };

  // Inline: a lookup walks it once per byte. Past their first bytes most texts run on
  // alone, one child to a node.
  std::uint32_t Child(std::uint32_t node, unsigned char byte) const {
    if (node == 0) return root_children_[byte];
    const Node& parent = nodes_[node];
    if (parent.child_count == 1) {
      return nodes_[parent.first_child].byte == byte ? parent.first_child : kNone;
    }
    return ChildAmongMany(parent, byte);
  }
  std::uint32_t ChildAmongMany(const Node& parent, unsigned char byte) const;

  std::vector<Node> nodes_;  // breadth first: nodes_[0] is the root
  std::array<std::uint32_t, 256> root_children_{};
};

}  // namespace mrv
