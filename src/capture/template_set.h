// Compiled templates tried in order, the first match deciding.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "capture/console_line.h"
#include "capture/template_matcher.h"

namespace mrv {

class TemplateSet {
 public:
  TemplateSet() = default;
  // A template's index is its position in the list.
  explicit TemplateSet(std::vector<CompiledTemplate> templates);
  std::size_t size() const { return templates_.size(); }
  const CompiledTemplate& operator[](std::size_t index) const { return templates_[index]; }

  struct Found {
    std::size_t index;
    SlotTexts texts;
  };
  // The first template in order that matches the line; `faults_met` is set when a
  // malformed template was reached before it.
  std::optional<Found> FirstMatch(const ConsoleLine& line, bool& faults_met) const;
  std::optional<Found> FirstMatch(std::string_view line) const;
  // The same by trying every template in order: the plain form of FirstMatch.
  std::optional<Found> FirstMatchInOrder(std::string_view line, bool& faults_met) const;

 private:
  // Most lines match no template, and most templates end in a text of their own: a line
  // is only tried against the templates whose ending its last bytes can be, and against
  // the malformed ones, whose fault shows wherever their literals stand. Endings of one
  // byte are found by that byte directly; a line whose last byte ends no longer ending
  // looks no further, and that is most lines.
  static constexpr std::size_t kMaxKeyLength = 3;

  // Template indices by the last bytes of their ending, for endings of one key length;
  // an open-addressing table, since it is looked up several times per line.
  class EndingTable {
   public:
    void Add(std::uint32_t key, std::uint32_t index);
    std::span<const std::uint32_t> Find(std::uint32_t key) const;

   private:
    struct Slot {
      std::uint32_t key = 0;
      std::vector<std::uint32_t> indices;  // in order; empty: a free slot
    };
    std::size_t SlotOf(std::uint32_t key) const;
    void Grow();

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
  };

  std::vector<CompiledTemplate> templates_;
  std::array<std::vector<std::uint32_t>, 256> by_one_byte_ending_;
  // by_ending_[0]: the templates whose ending is 2 bytes long; by_ending_[1]: 3 bytes or
  // longer, keyed by its last 3 bytes.
  std::array<EndingTable, kMaxKeyLength - 1> by_ending_;
  std::bitset<256> ends_longer_endings_;  // last bytes of the endings of 2 bytes or more
  std::vector<std::uint32_t> malformed_;
};

}  // namespace mrv
