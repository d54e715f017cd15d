#include "capture/matching/template_matcher.h"

#include "capture/matching/console_line.h"
#include "model/text.h"
#include "model/wide_text.h"

namespace mrv {

namespace {

constexpr std::string_view kOpenTag = "<MSG>";
constexpr std::string_view kCloseTag = "</MSG>";
constexpr std::string_view kKillerSlot = "<KILLER>";
constexpr std::string_view kVictimSlot = "<VICTIM>";
constexpr std::size_t kSlotLength = 8;
constexpr std::size_t kTagsLength = 11;  // "<MSG>" and "</MSG>"

bool StartsWithBlock(std::string_view text) {
  return text.starts_with(kOpenTag) && text.find(kCloseTag) != std::string_view::npos;
}

// Takes a slot off the front of the template; false when none stands there.
bool TakeSlot(std::string_view& text, SlotKind& slot) {
  const std::string_view head = text.substr(0, kSlotLength);
  if (head == kKillerSlot) {
    slot = SlotKind::kKiller;
  } else if (head == kVictimSlot) {
    slot = SlotKind::kVictim;
  } else {
    return false;
  }
  text.remove_prefix(kSlotLength);
  return true;
}

// The text of a leading, non-empty literal block, which is taken off the template.
// An empty block stays where it is, so that the slot or end test after it fails.
std::string_view TakeOptionalBlock(std::string_view& text) {
  if (!StartsWithBlock(text)) return {};
  const std::string_view literal = TagText(text);
  if (!literal.empty()) text.remove_prefix(literal.size() + kTagsLength);
  return literal;
}

bool Occurs(std::string_view line, const std::string& literal) {
  return line.find(literal) != std::string_view::npos;
}

}  // namespace

std::string_view TagText(std::string_view text) {
  const std::size_t open = text.find(kOpenTag);
  const std::size_t close = text.find(kCloseTag);
  if (open == std::string_view::npos || close == std::string_view::npos) return {};
  const std::size_t start = open + kOpenTag.size();
  if (close < start) return {};
  return text.substr(start, close - start);
}

bool OccursOnlyOnce(std::string_view text, const Literal& pattern, std::size_t first) {
  const std::size_t m = pattern.size();
  if (pattern.FindIn(text, first + m) != std::string_view::npos) return false;
  // An occurrence across the closed gap: it starts at i < first and continues after
  // the deleted text. One wholly before `first` cannot exist.
  const std::string& p = pattern.text();
  const std::size_t closed_size = text.size() - m;
  for (std::size_t i = first >= m ? first - m + 1 : 0; i < first; ++i) {
    if (i + m > closed_size) break;
    bool equal = true;
    for (std::size_t j = 0; j < m && equal; ++j) {
      const std::size_t at = i + j < first ? i + j : i + j + m;
      equal = text[at] == p[j];
    }
    if (equal) return false;
  }
  return true;
}

CompiledTemplate::CompiledTemplate(std::string_view text) {
  // Every literal recorded here is one the line must contain for reading to go on.
  const std::string_view prefix = TakeOptionalBlock(text);
  if (!prefix.empty()) literals_before_fault_.emplace_back(prefix);
  form_ = Form::kMalformed;
  if (!TakeSlot(text, first_slot_) || !StartsWithBlock(text)) return;
  const std::string_view middle = TagText(text);
  if (middle.empty()) {
    form_ = Form::kNeverMatches;  // an empty text never occurs in a line
    return;
  }
  literals_before_fault_.emplace_back(middle);
  text.remove_prefix(middle.size() + kTagsLength);
  if (!text.empty()) {
    SlotKind second_slot;
    if (!TakeSlot(text, second_slot) || second_slot == first_slot_) return;
  }
  const std::string_view suffix = TakeOptionalBlock(text);
  if (!suffix.empty()) literals_before_fault_.emplace_back(suffix);
  if (!text.empty()) return;
  form_ = Form::kWellFormed;
  prefix_ = prefix;
  middle_ = Literal(middle);
  for (const std::string_view text : {prefix, middle, suffix})
    required_pairs_ |= ConsoleLine::PairsOf(text);
  suffix_ = suffix;
  literals_before_fault_.clear();
}

TemplateResult MatchTemplate(const CompiledTemplate& compiled, std::string_view line,
                             SlotTexts& out) {
  out = {AbsentMark, AbsentMark};
  using Form = CompiledTemplate::Form;
  if (compiled.form_ == Form::kNeverMatches) return TemplateResult::kNoMatch;
  if (compiled.form_ == Form::kMalformed) {
    for (const std::string& literal : compiled.literals_before_fault_) {
      if (!Occurs(line, literal)) return TemplateResult::kNoMatch;
    }
    return TemplateResult::kMalformed;
  }
  // A well-formed template: the anchored tests imply the occurrence tests that the
  // step-by-step reading makes first, so the cheapest ones go first.
  const std::string& prefix = compiled.prefix_;
  const Literal& middle = compiled.middle_;
  const std::string& suffix = compiled.suffix_;
  if (line.size() < prefix.size() + suffix.size() || !StartsWithBytes(line, prefix) ||
      !EndsWithBytes(line, suffix)) {
    return TemplateResult::kNoMatch;
  }
  const std::string_view body =
      line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
  std::string_view first_text;
  std::string_view second_text = AbsentMark;
  if (!suffix.empty()) {
    const std::size_t at = middle.FindIn(body);
    if (at == std::string_view::npos) return TemplateResult::kNoMatch;
    // A colour reset is split at its first occurrence however many follow.
    if (middle.text() != "^7" && !OccursOnlyOnce(body, middle, at)) return TemplateResult::kNoMatch;
    first_text = body.substr(0, at);
    second_text = body.substr(at + middle.size());
  } else {
    if (!EndsWithBytes(body, middle.text())) return TemplateResult::kNoMatch;
    first_text = body.substr(0, body.size() - middle.size());
  }
  const bool killer_first = compiled.first_slot_ == SlotKind::kKiller;
  out.killer = killer_first ? first_text : second_text;
  out.victim = killer_first ? second_text : first_text;
  return TemplateResult::kMatch;
}

}  // namespace mrv
