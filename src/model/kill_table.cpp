#include "model/kill_table.h"

#include <algorithm>

namespace mrv {

namespace {

constexpr std::size_t kFirstCapacity = 8;
constexpr std::size_t kFirstIndexSize = 16;

bool KeyLess(const KillTable::Cell& cell, std::uint32_t key) {
  return cell.key < key;
}

std::size_t Slot(std::uint32_t key, std::size_t mask) {
  std::uint32_t h = key * 0x9E3779B1u;
  h ^= h >> 15;
  return h & mask;
}

// Lays the cells out in `into` in key order: a counting pass puts them in killer order,
// then an insertion pass orders each killer's few cells, which moves none past another
// killer's. On a capture's cells, which stand in the order the kills came, that takes
// a half to a third of the time a comparison sort does.
void SortByKey(std::span<const KillTable::Cell> cells, std::vector<KillTable::Cell>& into) {
  int killers = 0;
  for (const KillTable::Cell& cell : cells) killers = std::max(killers, cell.killer() + 1);
  std::vector<std::uint32_t> next(static_cast<std::size_t>(killers) + 1, 0);
  for (const KillTable::Cell& cell : cells) ++next[static_cast<std::size_t>(cell.killer()) + 1];
  for (std::size_t k = 1; k < next.size(); ++k) next[k] += next[k - 1];
  into.resize(cells.size());
  for (const KillTable::Cell& cell : cells)
    into[next[static_cast<std::size_t>(cell.killer())]++] = cell;
  for (std::size_t i = 1; i < into.size(); ++i) {
    const KillTable::Cell cell = into[i];
    std::size_t at = i;
    for (; at > 0 && into[at - 1].key > cell.key; --at) into[at] = into[at - 1];
    into[at] = cell;
  }
}

}  // namespace

std::size_t KillTable::PositionOf(std::uint32_t key) const {
  if (sorted_) {
    const auto at = std::lower_bound(cells_.begin(), cells_.end(), key, KeyLess);
    return at != cells_.end() && at->key == key ? static_cast<std::size_t>(at - cells_.begin())
                                                : cells_.size();
  }
  if (index_.empty()) {
    const auto at = std::find_if(cells_.begin(), cells_.end(),
                                 [key](const Cell& cell) { return cell.key == key; });
    return static_cast<std::size_t>(at - cells_.begin());
  }
  const std::size_t mask = index_.size() - 1;
  for (std::size_t at = Slot(key, mask); index_[at] != 0; at = (at + 1) & mask) {
    if (cells_[index_[at] - 1].key == key) return index_[at] - 1;
  }
  return cells_.size();
}

std::int32_t KillTable::count(std::uint32_t key) const {
  const std::size_t at = PositionOf(key);
  return at < cells_.size() ? cells_[at].count : 0;
}

std::int32_t* KillTable::Find(std::uint32_t key) {
  const std::size_t at = PositionOf(key);
  return at < cells_.size() ? &cells_[at].count : nullptr;
}

std::size_t KillTable::CapacityAfterAdding() const {
  const std::size_t capacity = cells_.capacity();
  if (cells_.size() < capacity) return capacity;
  return std::max(kFirstCapacity, capacity * 2);
}

std::size_t KillTable::IndexSizeFor(std::size_t cells) const {
  if (cells <= kWalked) return 0;
  std::size_t size = std::max(kFirstIndexSize, index_.size());
  while (size < 2 * cells) size *= 2;
  return size;
}

void KillTable::IndexCell(std::uint32_t position) {
  const std::size_t mask = index_.size() - 1;
  std::size_t at = Slot(cells_[position].key, mask);
  while (index_[at] != 0) at = (at + 1) & mask;
  index_[at] = position + 1;
}

void KillTable::BuildIndex(std::size_t size) {
  index_.assign(size, 0);
  for (std::uint32_t i = 0; i < cells_.size(); ++i) IndexCell(i);
}

std::int32_t& KillTable::Add(std::uint32_t key, std::int32_t count) {
  const bool in_order = AddsInOrder(key);
  if (cells_.size() == cells_.capacity()) cells_.reserve(CapacityAfterAdding());
  cells_.push_back({key, count});
  if (!in_order) {
    sorted_ = false;
    const std::size_t size = IndexSizeFor(cells_.size());
    if (size != index_.size()) {
      BuildIndex(size);
    } else if (!index_.empty()) {
      IndexCell(static_cast<std::uint32_t>(cells_.size() - 1));
    }
  }
  return cells_.back().count;
}

void KillTable::Compact() {
  if (!sorted_ && cells_.size() > kWalkedWhenComplete) {
    std::vector<Cell> ordered;  // laid out at the cells' exact number
    SortByKey(cells_, ordered);
    cells_ = std::move(ordered);
    sorted_ = true;
  }
  index_ = std::vector<std::uint32_t>();  // freed: `= {}` would keep its room
  if (cells_.capacity() > cells_.size()) cells_ = std::vector<Cell>(cells_.begin(), cells_.end());
}

std::span<const KillTable::Cell> KillTable::InKeyOrder(std::vector<Cell>& scratch) const {
  if (sorted_) return cells_;
  SortByKey(cells_, scratch);
  return scratch;
}

std::size_t KillTable::bytes() const {
  return cells_.capacity() * sizeof(Cell) + index_.capacity() * sizeof(std::uint32_t);
}

std::size_t KillTable::BytesAfterAdding(std::uint32_t key) const {
  const std::size_t index = AddsInOrder(key) ? index_.capacity() : IndexSizeFor(cells_.size() + 1);
  return CapacityAfterAdding() * sizeof(Cell) + index * sizeof(std::uint32_t);
}

}  // namespace mrv
