#include "capture/template_set.h"

#include <algorithm>
#include <span>

namespace mrv {

namespace {

std::uint32_t KeyOfLast(std::string_view text, std::size_t length) {
  std::uint32_t key = 0;
  for (char c : text.substr(text.size() - length)) key = key << 8 | static_cast<unsigned char>(c);
  return key;
}

}  // namespace

void TemplateSet::Add(CompiledTemplate compiled) {
  const auto index = static_cast<std::uint32_t>(templates_.size());
  if (compiled.form() == CompiledTemplate::Form::kMalformed) {
    malformed_.push_back(index);
  } else if (compiled.form() == CompiledTemplate::Form::kWellFormed) {
    const std::string_view ending = compiled.required_ending();
    const std::size_t length = std::min(ending.size(), kMaxKeyLength);
    by_ending_[length - 1][KeyOfLast(ending, length)].push_back(index);
  }
  templates_.push_back(std::move(compiled));
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatch(std::string_view line,
                                                          bool& faults_met) const {
  std::array<std::span<const std::uint32_t>, kMaxKeyLength + 1> lists;
  std::size_t list_count = 0;
  if (!malformed_.empty()) lists[list_count++] = malformed_;
  for (std::size_t length = 1; length <= kMaxKeyLength && length <= line.size(); ++length) {
    const auto& buckets = by_ending_[length - 1];
    if (buckets.empty()) continue;
    const auto found = buckets.find(KeyOfLast(line, length));
    if (found != buckets.end()) lists[list_count++] = found->second;
  }
  SlotTexts slots;
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
    switch (MatchTemplate(templates_[index], line, slots)) {
      case TemplateResult::kMatch:
        return Found{index, slots};
      case TemplateResult::kMalformed:
        faults_met = true;
        break;
      case TemplateResult::kNoMatch:
        break;
    }
  }
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatch(std::string_view line) const {
  bool faults_met = false;
  return FirstMatch(line, faults_met);
}

}  // namespace mrv
