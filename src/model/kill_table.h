// The kills of one map: a count for each (killer, weapon, victim) that happened; every
// other count is 0. A map's kills are few among its players x weapons x players cells
// (tens or hundreds among tens of thousands), so only those cells are kept, 8 bytes
// each, and whatever reads the kills walks them.
//
// The cells stand in key order (killer, then weapon, then victim: the order in which a
// saved game lists the counts) while they are only added in that order, as a saved
// game is read. Cells added in any other order, as a capture meets the kills, stand in
// the order met, found by a walk over them while they are few and through a lookup
// index beyond, until Compact() drops the index. Only a table of many cells is sorted
// then, so that a later lookup (a capture that goes on after its store was settled)
// stays a binary search: every reader walks the cells in any order but a saved game's
// writer, which sorts what it writes (InKeyOrder), and a log of thousands of maps would
// pay a sort for each map for nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mrv {

class KillTable {
 public:
  struct Cell {
    std::uint32_t key;
    std::int32_t count;
    int killer() const { return static_cast<int>(key >> 20); }
    int weapon() const { return static_cast<int>((key >> 10) & 0x3FF); }
    int victim() const { return static_cast<int>(key & 0x3FF); }
  };

  // Killers below 4096, weapons and victims below 1024: a map holds at most 512
  // nicknames and a weapon table at most 256 weapons, one per code byte.
  static constexpr std::uint32_t KeyOf(int killer, int weapon, int victim) {
    return static_cast<std::uint32_t>(killer) << 20 | static_cast<std::uint32_t>(weapon) << 10 |
           static_cast<std::uint32_t>(victim);
  }

  // The count of the key; 0 when it has no cell.
  std::int32_t count(std::uint32_t key) const;
  // The count of the key, or nullptr when it has no cell. Valid until a cell is added.
  std::int32_t* Find(std::uint32_t key);
  // Adds a cell for a key that has none; returns its count, valid until a cell is added.
  std::int32_t& Add(std::uint32_t key, std::int32_t count);
  // Frees the lookup index and gives back the room kept for more: the table is complete.
  // Later lookups, which are rare, walk its cells, or search them once sorted when they
  // are more than kWalkedWhenComplete.
  void Compact();

  std::span<const Cell> cells() const { return cells_; }
  // The cells in key order: the table's own when they stand so, otherwise a sorted copy
  // put in `scratch`.
  std::span<const Cell> InKeyOrder(std::vector<Cell>& scratch) const;
  // What the table holds on the heap, and would hold after adding a cell for `key`.
  std::size_t bytes() const;
  std::size_t BytesAfterAdding(std::uint32_t key) const;

 private:
  // Whether a cell for `key` keeps the order without an index.
  bool AddsInOrder(std::uint32_t key) const {
    return sorted_ && (cells_.empty() || cells_.back().key < key);
  }
  // The cell's position, or cells_.size() when the key has none.
  std::size_t PositionOf(std::uint32_t key) const;
  std::size_t CapacityAfterAdding() const;
  std::size_t IndexSizeFor(std::size_t cells) const;
  void BuildIndex(std::size_t size);
  void IndexCell(std::uint32_t position);

  // Unsorted cells up to this many are found by a walk, without an index.
  static constexpr std::size_t kWalked = 32;
  // The same once the table is complete: beyond, Compact() sorts the cells.
  static constexpr std::size_t kWalkedWhenComplete = 256;

  std::vector<Cell> cells_;
  bool sorted_ = true;  // the cells stand in key order
  // Open addressing over cells_: a position + 1 per slot, 0 for a free slot; a power of
  // two at least twice the cells. Only for more than kWalked unsorted cells.
  std::vector<std::uint32_t> index_;
};

}  // namespace mrv
