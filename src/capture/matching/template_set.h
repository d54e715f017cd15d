// Compiled templates tried in order, the first match deciding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "capture/matching/console_line.h"
#include "capture/matching/ending_trie.h"
#include "capture/matching/template_matcher.h"

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
  std::optional<Found> FirstMatch(const ConsoleLine& line, bool& faults_met) const {
    const std::span<const std::uint32_t> candidates = by_ending_.NumbersFor(line.text());
    if (candidates.empty()) return std::nullopt;  // most lines, at one look-up
    return FirstMatchAmong(candidates, line, faults_met);
  }
  std::optional<Found> FirstMatch(std::string_view line) const;
  // False when FirstMatch finds nothing for certain, for a line as most are.
  bool MayMatch(const ConsoleLine& line) const { return by_ending_.MayGiveAny(line.text()); }
  // The same by trying every template in order: the plain form of FirstMatch.
  std::optional<Found> FirstMatchInOrder(std::string_view line, bool& faults_met) const;

 private:
  // Most lines match no template, and every well-formed template ends in a text of its
  // own: a line is only tried against the templates whose ending it has, and against
  // the malformed ones, whose fault shows wherever their literals stand.
  std::optional<Found> FirstMatchAmong(std::span<const std::uint32_t> candidates,
                                       const ConsoleLine& line, bool& faults_met) const;

  std::vector<CompiledTemplate> templates_;
  EndingTrie by_ending_;
};

}  // namespace mrv
