#include "capture/matching/byte_trie.h"

#include <algorithm>
#include <numeric>

namespace mrv {

namespace {

// The trie as the sorted texts build it: each node's children in a list, by byte.
struct BuildNode {
  std::uint32_t first_child = 0;  // 0: none (the root is nobody's child)
  std::uint32_t last_child = 0;
  std::uint32_t next_sibling = 0;
  std::int32_t number = -1;
  std::uint8_t byte = 0;
};

std::vector<BuildNode> SortedTrie(const std::vector<std::string>& texts) {
  std::vector<std::uint32_t> order(texts.size());
  std::iota(order.begin(), order.end(), 0u);
  // By text, then by number: a text listed twice keeps its first number.
  std::stable_sort(order.begin(), order.end(),
                   [&texts](std::uint32_t a, std::uint32_t b) { return texts[a] < texts[b]; });
  std::vector<BuildNode> nodes(1);
  std::vector<std::uint32_t> path = {0};  // the nodes of the text before, from the root
  std::string_view before;
  for (const std::uint32_t number : order) {
    const std::string_view text = texts[number];
    if (text.empty()) continue;
    // The texts come in order, so a new node is always its parent's last child.
    const auto shared = static_cast<std::size_t>(
        std::mismatch(text.begin(), text.end(), before.begin(), before.end()).first -
        text.begin());
    path.resize(shared + 1);
    for (std::size_t i = shared; i < text.size(); ++i) {
      const auto added = static_cast<std::uint32_t>(nodes.size());
      nodes.push_back({.byte = static_cast<std::uint8_t>(text[i])});
      BuildNode& parent = nodes[path.back()];
      if (parent.first_child == 0) {
        parent.first_child = added;
      } else {
        nodes[parent.last_child].next_sibling = added;
      }
      parent.last_child = added;
      path.push_back(added);
    }
    if (nodes[path.back()].number < 0) nodes[path.back()].number = static_cast<std::int32_t>(number);
    before = text;
  }
  return nodes;
}

}  // namespace

ByteTrie::ByteTrie(const std::vector<std::string>& texts) {
  const std::vector<BuildNode> built = SortedTrie(texts);
  // Breadth first, so that a node's children are neighbours and every node comes after
  // the node its failure link leads to.
  nodes_.resize(built.size());
  std::vector<std::uint32_t> source = {0};  // built node of each node
  source.reserve(built.size());
  for (std::uint32_t at = 0; at < source.size(); ++at) {
    Node& node = nodes_[at];
    node.number = built[source[at]].number;
    node.byte = built[source[at]].byte;
    node.first_child = static_cast<std::uint32_t>(source.size());
    for (std::uint32_t child = built[source[at]].first_child; child != 0;
         child = built[child].next_sibling) {
      source.push_back(child);
      ++node.child_count;
    }
  }
  for (std::uint32_t i = 0; i < nodes_[0].child_count; ++i) {
    root_children_[nodes_[nodes_[0].first_child + i].byte] = nodes_[0].first_child + i;
  }
  nodes_[0].output = nodes_[0].number >= 0;
  for (std::uint32_t at = 0; at < nodes_.size(); ++at) {
    const Node& parent = nodes_[at];
    for (std::uint32_t child = parent.first_child;
         child < parent.first_child + parent.child_count; ++child) {
      Node& node = nodes_[child];
      std::uint32_t fail = kNone;
      if (at != 0) {
        for (std::uint32_t back = parent.fail;; back = nodes_[back].fail) {
          fail = Child(back, node.byte);
          if (fail != kNone || back == 0) break;
        }
      }
      node.fail = fail;
      node.output = node.number >= 0 || nodes_[fail].output;
    }
  }
}

std::uint32_t ByteTrie::ChildAmongMany(const Node& parent, unsigned char byte) const {
  const auto first = nodes_.begin() + parent.first_child;
  const auto last = first + parent.child_count;
  const auto found = std::lower_bound(
      first, last, byte, [](const Node& child, unsigned char b) { return child.byte < b; });
  return found != last && found->byte == byte
             ? static_cast<std::uint32_t>(found - nodes_.begin())
             : kNone;
}

bool ByteTrie::AnyIn(std::string_view line) const {
  std::uint32_t node = 0;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    std::uint32_t next = Child(node, byte);
    while (next == kNone && node != 0) {
      node = nodes_[node].fail;
      next = Child(node, byte);
    }
    node = next;
    if (nodes_[node].output) return true;
  }
  return false;
}

}  // namespace mrv
