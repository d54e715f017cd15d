// Compiled templates tried in order, the first match deciding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "capture/template_matcher.h"

namespace mrv {

class TemplateSet {
 public:
  // Adds a template; its index is the number of templates added before it.
  void Add(CompiledTemplate compiled);
  std::size_t size() const { return templates_.size(); }
  const CompiledTemplate& operator[](std::size_t index) const { return templates_[index]; }

  struct Found {
    std::size_t index;
    SlotTexts slots;
  };
  // The first template in order that matches the line; `faults_met` is set when a
  // malformed template was reached before it.
  std::optional<Found> FirstMatch(std::string_view line, bool& faults_met) const;
  std::optional<Found> FirstMatch(std::string_view line) const;

 private:
  // Most lines match no template, and most templates end in a text of their own: a line
  // is only tried against the templates whose ending its last bytes can be, and against
  // the malformed ones, whose fault shows wherever their literals stand.
  static constexpr std::size_t kMaxKeyLength = 3;
  using Bucket = std::vector<std::uint32_t>;  // template indices in order

  std::vector<CompiledTemplate> templates_;
  // by_ending_[n - 1]: the templates keyed by the last n bytes of their ending, n being
  // the ending's length up to kMaxKeyLength.
  std::array<std::unordered_map<std::uint32_t, Bucket>, kMaxKeyLength> by_ending_;
  Bucket malformed_;
};

}  // namespace mrv
