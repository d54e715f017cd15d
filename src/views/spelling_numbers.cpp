#include "views/spelling_numbers.h"

#include <functional>

namespace mrv {

namespace {

std::uint64_t HashOf(std::string_view text) {
  return std::hash<std::string_view>{}(text) >> 32 << 32;
}

}  // namespace

std::string_view SpellingNumbers::Spelling(std::uint32_t number) const {
  const std::size_t begin = number == 0 ? 0 : ends_[number - 1];
  return std::string_view(texts_).substr(begin, ends_[number] - begin);
}

std::uint32_t SpellingNumbers::Of(std::string_view folded) {
  const std::uint64_t hash = HashOf(folded);
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = static_cast<std::size_t>(hash >> 32) & mask;
  for (; slots_[at] != 0; at = (at + 1) & mask) {
    const std::uint64_t slot = slots_[at];
    const auto number = static_cast<std::uint32_t>(slot) - 1;
    if ((slot & ~std::uint64_t{0xFFFFFFFF}) == hash && Spelling(number) == folded) return number;
  }
  const auto number = static_cast<std::uint32_t>(ends_.size());
  texts_ += folded;
  ends_.push_back(texts_.size());
  slots_[at] = hash | (number + std::uint64_t{1});
  if (ends_.size() * 2 > slots_.size()) Grow();
  return number;
}

void SpellingNumbers::Grow() {
  std::vector<std::uint64_t> slots(slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (const std::uint64_t slot : slots_) {
    if (slot == 0) continue;
    std::size_t at = static_cast<std::size_t>(slot >> 32) & mask;
    while (slots[at] != 0) at = (at + 1) & mask;
    slots[at] = slot;
  }
  slots_ = std::move(slots);
}

int SpellingNumbers::FirstOnMap(std::uint32_t number, int index) {
  if (number >= met_.size()) met_.resize(number + std::size_t{1}, 0);
  std::uint64_t& met = met_[number];
  if (met >> 32 == map_) return static_cast<int>(met & 0xFFFFFFFF);
  met = map_ << 32 | static_cast<std::uint32_t>(index);
  return index;
}

}  // namespace mrv
