// Numbers the spellings of nicknames (folded with ToLowerAscii) of many maps, so that
// figures over them merge players by number, not by text. A report numbers every
// nickname of every map, tens of thousands of maps; a player meets only some thousands
// of spellings over years, so the numbers stay in a small table of its own, with the
// texts kept one after the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mrv {

class SpellingNumbers {
 public:
  // The spelling's number; a new one, the count so far, for a spelling not met before.
  std::uint32_t Of(std::string_view folded);
  // Maps are numbered one after the other: NextMap, then for each index of the map in
  // order, the first index of the map that had its number (itself when none had).
  void NextMap() { ++map_; }
  int FirstOnMap(std::uint32_t number, int index);

 private:
  std::string_view Spelling(std::uint32_t number) const;
  void Grow();

  // Open addressing, at most half full, a power of two: per slot the spelling's hash in
  // the high half and its number + 1 in the low half; 0 for a free slot.
  std::vector<std::uint64_t> slots_ = std::vector<std::uint64_t>(64, 0);
  std::string texts_;               // every spelling, in the order of their numbers
  std::vector<std::size_t> ends_;   // per number, where its spelling ends in texts_
  std::vector<std::uint64_t> met_;  // per number: the last map it was met on, and the index
  std::uint64_t map_ = 0;
};

}  // namespace mrv
