// A few texts looked for in every console line at once: one pass over the line for a
// byte that all of them hold, chosen to be rare in console text, and a comparison only
// where that byte stands. The result is that of searching each text in turn.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mrv {

class TextSet {
 public:
  // `text` is not empty.
  void Add(std::string_view text);
  bool empty() const { return texts_.empty(); }

  // Whether one of the texts occurs in the line.
  bool AnyIn(std::string_view line) const;

 private:
  void ChooseKey();

  std::vector<std::string> texts_;
  int key_ = -1;                     // the byte every text holds; -1 when they share none
  std::vector<std::size_t> key_at_;  // per text, where it holds the key first
};

}  // namespace mrv
