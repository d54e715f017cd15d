#include "views/list_sort.h"

#include <utility>

namespace mrv {

int SortedColumn(const std::vector<ListColumn>& columns) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].arrow != SortArrow::kNone) return static_cast<int>(c);
  }
  return -1;
}

bool ClickOrder(std::vector<ListColumn>& columns, int c, bool first_ascending) {
  const SortArrow present = columns[static_cast<std::size_t>(c)].arrow;
  const bool ascending = present == SortArrow::kNone ? first_ascending : present == SortArrow::kDown;
  for (ListColumn& column : columns) column.arrow = SortArrow::kNone;
  columns[static_cast<std::size_t>(c)].arrow = ascending ? SortArrow::kUp : SortArrow::kDown;
  return ascending;
}

namespace {

// A tournament tree over the positions: each node holds the position of the best key
// below it, the nearer position winning a tie. Positions already sorted drop out.
class BestPositionTree {
 public:
  BestPositionTree(std::vector<std::int64_t> keys, bool largest_first)
      : keys_(std::move(keys)), largest_first_(largest_first) {
    while (leaves_ < keys_.size()) leaves_ *= 2;
    nodes_.assign(2 * leaves_, kGone);
    for (std::size_t p = 0; p < keys_.size(); ++p) nodes_[leaves_ + p] = static_cast<int>(p);
    for (std::size_t node = leaves_ - 1; node > 0; --node) Pull(node);
  }

  int best() const { return nodes_[1]; }
  std::int64_t key(int position) const { return keys_[static_cast<std::size_t>(position)]; }

  void Set(int position, std::int64_t key) {
    keys_[static_cast<std::size_t>(position)] = key;
    Update(position, position);
  }
  void Remove(int position) { Update(position, kGone); }

 private:
  static constexpr int kGone = -1;

  bool Better(int a, int b) const {
    if (a == kGone) return false;
    if (b == kGone) return true;
    const std::int64_t ka = key(a);
    const std::int64_t kb = key(b);
    if (ka != kb) return largest_first_ ? ka > kb : ka < kb;
    return a < b;
  }
  void Pull(std::size_t node) {
    const int left = nodes_[2 * node];
    const int right = nodes_[2 * node + 1];
    nodes_[node] = Better(right, left) ? right : left;
  }
  void Update(int position, int value) {
    std::size_t node = leaves_ + static_cast<std::size_t>(position);
    nodes_[node] = value;
    for (node /= 2; node > 0; node /= 2) Pull(node);
  }

  std::vector<std::int64_t> keys_;
  bool largest_first_;
  std::size_t leaves_ = 1;
  std::vector<int> nodes_;
};

}  // namespace

std::vector<int> SelectionSortOrder(std::span<const std::int64_t> keys, bool largest_first) {
  const int n = static_cast<int>(keys.size());
  std::vector<int> rows(keys.size());
  for (int p = 0; p < n; ++p) rows[static_cast<std::size_t>(p)] = p;
  BestPositionTree tree(std::vector<std::int64_t>(keys.begin(), keys.end()), largest_first);
  for (int i = 0; i < n; ++i) {
    const int j = tree.best();
    if (j != i) {
      // The row at i moves to j, with its key; position i is final.
      std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
      tree.Set(j, tree.key(i));
    }
    tree.Remove(i);
  }
  return rows;
}

}  // namespace mrv
