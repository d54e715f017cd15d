// Which of a fixed set of texts a line ends with, found by reading the line backwards
// once from its last byte.
//
// Each text carries a number (a template's index). A line gets, in increasing order, the
// numbers of every text it ends with, together with the numbers every line gets. The
// texts are kept in a trie of their bytes read backwards, whose chains without a branch
// are one step each; every step of it already holds the merged list of what a line that
// reached it gets, so that looking up a line costs one walk and no merging.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mrv {

class EndingTrie {
 public:
  struct Ending {
    std::string_view text;  // not empty
    std::uint32_t number;
  };

  EndingTrie() : EndingTrie({}, {}) {}
  // `always`: the numbers every line gets.
  EndingTrie(std::span<const Ending> endings, std::span<const std::uint32_t> always);

  // In increasing order, each once.
  std::span<const std::uint32_t> NumbersFor(std::string_view line) const {
    // Most lines end with a byte that no text ends with.
    const std::uint32_t first =
        line.empty() ? kNone : root_steps_[static_cast<unsigned char>(line.back())];
    return first == kNone ? NumbersAt(nodes_[0]) : Walk(line, first);
  }
  // False when NumbersFor gives nothing for certain, for a line as most are.
  bool MayGiveAny(std::string_view line) const {
    return (!line.empty() && root_steps_[static_cast<unsigned char>(line.back())] != kNone) ||
           nodes_[0].numbers_end != nodes_[0].numbers_begin;
  }

 private:
  static constexpr std::uint32_t kNone = 0;  // the root is never a child

  struct Node {
    std::uint32_t text = 0;           // in texts_: what a line that reached this node ends with
    std::uint32_t depth = 0;          // the length of that text
    std::uint32_t numbers_begin = 0;  // in numbers_
    std::uint32_t numbers_end = 0;
    // The children, by the byte before the node's text. Up to 16: their bytes in keys_
    // from `children` on, in one block compared at once, their nodes at the same places
    // of child_nodes_. More (the few nodes most lines pass, such as the one of "."):
    // their nodes in child_nodes_ from `children` on, by byte, 256 places.
    std::uint32_t children = 0;
    std::uint32_t child_count = 0;
  };
  static constexpr std::size_t kKeyBlock = 16;
  static constexpr std::size_t kByteCount = 256;

  std::uint32_t Child(const Node& node, unsigned char byte) const;
  std::span<const std::uint32_t> NumbersAt(const Node& node) const {
    return std::span(numbers_).subspan(node.numbers_begin, node.numbers_end - node.numbers_begin);
  }
  // From the root's step to `first` on.
  std::span<const std::uint32_t> Walk(std::string_view line, std::uint32_t first) const;

  std::vector<Node> nodes_;                      // nodes_[0] is the root, whose text is empty
  std::array<std::uint32_t, 256> root_steps_{};  // by the line's last byte
  std::vector<unsigned char> keys_;
  std::vector<std::uint32_t> child_nodes_;
  std::string texts_;
  std::vector<std::uint32_t> numbers_;
  std::vector<std::pair<std::string, std::uint32_t>> endings_;  // for the plain form
};

}  // namespace mrv
