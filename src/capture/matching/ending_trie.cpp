#include "capture/matching/ending_trie.h"

#include <algorithm>
#include <bit>
#include <map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/wide_text.h"

namespace mrv {

namespace {

// The trie with one node per byte, as the texts are inserted; compressed afterwards.
struct ByteNode {
  std::map<unsigned char, std::uint32_t> children;  // by the byte before
  std::vector<std::uint32_t> numbers;               // of the texts that end here
};

std::vector<std::uint32_t> Merged(std::span<const std::uint32_t> a,
                                  std::span<const std::uint32_t> b) {
  std::vector<std::uint32_t> merged(a.begin(), a.end());
  merged.insert(merged.end(), b.begin(), b.end());
  std::sort(merged.begin(), merged.end());
  merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
  return merged;
}

}  // namespace

EndingTrie::EndingTrie(std::span<const Ending> endings, std::span<const std::uint32_t> always) {
  std::vector<ByteNode> bytes(1);
  for (const Ending& ending : endings) {
    endings_.emplace_back(std::string(ending.text), ending.number);
    std::uint32_t at = 0;
    for (auto c = ending.text.rbegin(); c != ending.text.rend(); ++c) {
      const auto byte = static_cast<unsigned char>(*c);
      const auto found = bytes[at].children.find(byte);
      if (found != bytes[at].children.end()) {
        at = found->second;
        continue;
      }
      const auto added = static_cast<std::uint32_t>(bytes.size());
      bytes[at].children.emplace(byte, added);
      bytes.emplace_back();
      at = added;
    }
    bytes[at].numbers.push_back(ending.number);
  }

  // A node of the trie for the root, each text's end and each branch; the byte nodes
  // between them are passed in one step. Children are laid out together as their
  // parent is.
  struct Pending {
    std::uint32_t node;  // in nodes_
    std::uint32_t byte_node;
  };
  auto add_numbers = [&](Node& node, const std::vector<std::uint32_t>& numbers) {
    node.numbers_begin = static_cast<std::uint32_t>(numbers_.size());
    numbers_.insert(numbers_.end(), numbers.begin(), numbers.end());
    node.numbers_end = static_cast<std::uint32_t>(numbers_.size());
  };
  nodes_.emplace_back();
  add_numbers(nodes_[0], Merged(always, bytes[0].numbers));
  std::vector<Pending> pending = {{0, 0}};
  while (!pending.empty()) {
    const Pending parent = pending.back();
    pending.pop_back();
    const auto& children = bytes[parent.byte_node].children;
    const bool by_byte = children.size() > kKeyBlock;
    if (parent.node != 0 && !children.empty()) {
      nodes_[parent.node].children = static_cast<std::uint32_t>(keys_.size());
      nodes_[parent.node].child_count = static_cast<std::uint32_t>(children.size());
      keys_.resize(keys_.size() + (by_byte ? kByteCount : kKeyBlock));
      child_nodes_.resize(keys_.size(), kNone);
    }
    std::uint32_t slot = nodes_[parent.node].children;
    for (const auto& [byte, first] : children) {
      std::string reversed(1, static_cast<char>(byte));
      std::uint32_t at = first;
      while (bytes[at].numbers.empty() && bytes[at].children.size() == 1) {
        reversed += static_cast<char>(bytes[at].children.begin()->first);
        at = bytes[at].children.begin()->second;
      }
      const Node parent_node = nodes_[parent.node];
      Node child;
      child.depth = parent_node.depth + static_cast<std::uint32_t>(reversed.size());
      child.text = static_cast<std::uint32_t>(texts_.size());
      const std::string parent_text = texts_.substr(parent_node.text, parent_node.depth);
      texts_.append(reversed.rbegin(), reversed.rend());
      texts_ += parent_text;
      add_numbers(child, Merged(NumbersAt(parent_node), bytes[at].numbers));
      const auto id = static_cast<std::uint32_t>(nodes_.size());
      nodes_.push_back(child);
      if (parent.node == 0) {
        root_steps_[byte] = id;
      } else if (by_byte) {
        child_nodes_[slot + byte] = id;
      } else {
        keys_[slot] = byte;
        child_nodes_[slot++] = id;
      }
      pending.push_back({id, at});
    }
  }
}

std::uint32_t EndingTrie::Child(const Node& node, unsigned char byte) const {
  if (node.child_count > kKeyBlock) return child_nodes_[node.children + byte];
  if (node.child_count == 0) return kNone;
  const unsigned char* keys = keys_.data() + node.children;
  std::uint32_t found = 0;
#if defined(__SSE2__)
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys));
  found = static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(byte)))));
#else
  for (std::uint32_t i = 0; i < kKeyBlock; ++i) found |= std::uint32_t{keys[i] == byte} << i;
#endif
  found &= (1u << node.child_count) - 1;
  return found == 0 ? kNone : child_nodes_[node.children + std::countr_zero(found)];
}

std::span<const std::uint32_t> EndingTrie::Walk(std::string_view line, std::uint32_t first) const {
  const std::size_t n = line.size();
  const Node* at = &nodes_[0];
  for (std::uint32_t next = first; next != kNone;) {
    const Node& node = nodes_[next];
    if (node.depth > n) break;
    // The text of the node it came from matched already, and so did the byte that led
    // here.
    const std::size_t unknown = node.depth - at->depth - 1;
    if (!SameBytes(line.data() + n - node.depth, texts_.data() + node.text, unknown)) break;
    at = &node;
    next =
        node.depth == n ? kNone : Child(node, static_cast<unsigned char>(line[n - 1 - node.depth]));
  }
  return NumbersAt(*at);
}

}  // namespace mrv
