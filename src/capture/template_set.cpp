#include "capture/template_set.h"

#include <algorithm>

namespace mrv {

namespace {

std::uint32_t KeyOfLast(std::string_view text, std::size_t length) {
  std::uint32_t key = 0;
  for (char c : text.substr(text.size() - length)) key = key << 8 | static_cast<unsigned char>(c);
  return key;
}

}  // namespace

std::size_t TemplateSet::EndingTable::SlotOf(std::uint32_t key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = (key * 2654435761u >> 7) & mask;
  while (!slots_[at].indices.empty() && slots_[at].key != key) at = (at + 1) & mask;
  return at;
}

void TemplateSet::EndingTable::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
  for (Slot& slot : old) {
    if (!slot.indices.empty()) slots_[SlotOf(slot.key)] = std::move(slot);
  }
}

void TemplateSet::EndingTable::Add(std::uint32_t key, std::uint32_t index) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  Slot& slot = slots_[SlotOf(key)];
  if (slot.indices.empty()) ++used_;
  slot.key = key;
  slot.indices.push_back(index);
}

std::span<const std::uint32_t> TemplateSet::EndingTable::Find(std::uint32_t key) const {
  if (used_ == 0) return {};
  return slots_[SlotOf(key)].indices;
}

TemplateSet::TemplateSet(std::vector<CompiledTemplate> templates)
    : templates_(std::move(templates)) {
  for (std::uint32_t index = 0; index < templates_.size(); ++index) {
    const CompiledTemplate& compiled = templates_[index];
    if (compiled.form() == CompiledTemplate::Form::kMalformed) {
      malformed_.push_back(index);
    } else if (compiled.form() == CompiledTemplate::Form::kWellFormed) {
      const std::string_view ending = compiled.required_ending();
      const auto last = static_cast<unsigned char>(ending.back());
      if (ending.size() == 1) {
        by_one_byte_ending_[last].push_back(index);
      } else {
        const std::size_t length = std::min(ending.size(), kMaxKeyLength);
        by_ending_[length - 2].Add(KeyOfLast(ending, length), index);
        ends_longer_endings_.set(last);
      }
    }
  }
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatch(const ConsoleLine& line,
                                                          bool& faults_met) const {
  std::array<std::span<const std::uint32_t>, kMaxKeyLength + 1> lists;
  std::size_t list_count = 0;
  if (line.size() > 0) {
    const unsigned char last = line.last_byte();
    if (!by_one_byte_ending_[last].empty()) lists[list_count++] = by_one_byte_ending_[last];
    for (std::size_t length = 2;
         ends_longer_endings_[last] && length <= kMaxKeyLength && length <= line.size(); ++length) {
      const auto keyed = by_ending_[length - 2].Find(line.ending(length));
      if (!keyed.empty()) lists[list_count++] = keyed;
    }
  }
  if (!malformed_.empty()) lists[list_count++] = malformed_;
  SlotTexts texts;
  // A well-formed template's texts all stand in any line it matches. Summing up the
  // line's byte pairs costs about as much as a few searches for a middle text: it pays
  // off only where several templates that search one are still to be tried.
  std::size_t remaining = 0;
  for (std::size_t i = 0; i < list_count; ++i) remaining += lists[i].size();
  auto try_template = [&](std::uint32_t index) {
    const CompiledTemplate& compiled = templates_[index];
    if (compiled.form() == CompiledTemplate::Form::kWellFormed &&
        (line.size() < compiled.min_length() ||
         (remaining >= 3 && compiled.searches_middle() &&
          (compiled.required_pairs() & ~line.pairs()) != 0))) {
      --remaining;
      return false;
    }
    --remaining;
    switch (MatchTemplate(compiled, line.text(), texts)) {
      case TemplateResult::kMatch:
        return true;
      case TemplateResult::kMalformed:
        faults_met = true;
        return false;
      case TemplateResult::kNoMatch:
        return false;
    }
    return false;
  };
  if (list_count == 1) {
    for (const std::uint32_t index : lists[0]) {
      if (try_template(index)) return Found{index, texts};
    }
    return std::nullopt;
  }
  // Every list is in order; taking the smallest head each time keeps the set's order.
  for (;;) {
    std::span<const std::uint32_t>* next = nullptr;
    for (std::size_t i = 0; i < list_count; ++i) {
      if (!lists[i].empty() && (next == nullptr || lists[i].front() < next->front())) {
        next = &lists[i];
      }
    }
    if (next == nullptr) return std::nullopt;
    const std::uint32_t index = next->front();
    *next = next->subspan(1);
    if (try_template(index)) return Found{index, texts};
  }
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatchInOrder(std::string_view line,
                                                                 bool& faults_met) const {
  SlotTexts texts;
  for (std::size_t index = 0; index < templates_.size(); ++index) {
    switch (MatchTemplate(templates_[index], line, texts)) {
      case TemplateResult::kMatch:
        return Found{index, texts};
      case TemplateResult::kMalformed:
        faults_met = true;
        break;
      case TemplateResult::kNoMatch:
        break;
    }
  }
  return std::nullopt;
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatch(std::string_view line) const {
  bool faults_met = false;
  return FirstMatch(ConsoleLine(line), faults_met);
}

}  // namespace mrv
