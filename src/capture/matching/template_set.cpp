#include "capture/matching/template_set.h"

#include <algorithm>

namespace mrv {

namespace {

// The longest ending that many lines share.
constexpr std::size_t kSharedEnding = 2;

// Whether the template matches the line; reaching a malformed one sets `faults_met`.
bool Matches(const CompiledTemplate& compiled, std::string_view line, SlotTexts& texts,
             bool& faults_met) {
  switch (MatchTemplate(compiled, line, texts)) {
    case TemplateResult::kMatch:
      return true;
    case TemplateResult::kMalformed:
      faults_met = true;
      return false;
    case TemplateResult::kNoMatch:
      return false;
  }
  return false;
}

}  // namespace

TemplateSet::TemplateSet(std::vector<CompiledTemplate> templates)
    : templates_(std::move(templates)) {
  std::vector<EndingTrie::Ending> endings;
  std::vector<std::uint32_t> malformed;
  for (std::uint32_t index = 0; index < templates_.size(); ++index) {
    const CompiledTemplate& compiled = templates_[index];
    if (compiled.form() == CompiledTemplate::Form::kMalformed) {
      malformed.push_back(index);
    } else if (compiled.form() == CompiledTemplate::Form::kWellFormed) {
      endings.push_back({compiled.required_ending(), index});
    }
  }
  by_ending_ = EndingTrie(endings, malformed);
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatchAmong(
    std::span<const std::uint32_t> candidates, const ConsoleLine& line, bool& faults_met) const {
  // A well-formed template's texts all stand in any line it matches, its middle text
  // too, which is what a line is searched for. Only a template whose ending many lines
  // share (a byte or two) is ruled out by that first; one with a longer ending matches
  // most lines that reach it. In a short line the search is quick; in a long one,
  // summing up the line's byte pairs once rules most templates out at once, and pays
  // where several are still to be tried.
  const bool short_line = line.size() <= Literal::kShortLine;
  std::size_t searching = 0;
  if (!short_line) {
    for (const std::uint32_t index : candidates) searching += templates_[index].searches_middle();
  }
  SlotTexts texts;
  for (const std::uint32_t index : candidates) {
    const CompiledTemplate& compiled = templates_[index];
    if (compiled.form() == CompiledTemplate::Form::kWellFormed) {
      if (line.size() < compiled.min_length()) continue;
      if (compiled.searches_middle()) {
        const bool summing_pays = searching-- >= 3;
        if (short_line ? compiled.required_ending().size() <= kSharedEnding &&
                             compiled.middle().FindIn(line.text()) == std::string_view::npos
                       : summing_pays && (compiled.required_pairs() & ~line.pairs()) != 0) {
          continue;
        }
      }
    }
    if (Matches(compiled, line.text(), texts, faults_met)) return Found{index, texts};
  }
  return std::nullopt;
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatchInOrder(std::string_view line,
                                                                 bool& faults_met) const {
  SlotTexts texts;
  for (std::size_t index = 0; index < templates_.size(); ++index) {
    if (Matches(templates_[index], line, texts, faults_met)) return Found{index, texts};
  }
  return std::nullopt;
}

std::optional<TemplateSet::Found> TemplateSet::FirstMatch(std::string_view line) const {
  bool faults_met = false;
  return FirstMatch(ConsoleLine(line), faults_met);
}

}  // namespace mrv
