// The template language of kill messages and the built-in recognisers.
//
// A template is made of slots, "<KILLER>" or "<VICTIM>", and literal blocks
// "<MSG>text</MSG>", in one of three shapes:
//   [prefix] slot middle            the line is prefix, slot text, middle
//   [prefix] slot middle slot suffix
//   [prefix] slot middle slot       read as the one-slot shape
// Templates are compiled once; matching a line never reads template text again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/literal.h"

namespace mrv {

// The text between the first "<MSG>" and the first "</MSG>" after it; empty when
// either is missing.
std::string_view TagText(std::string_view text);

// With the pattern found first at `first`: true when deleting that occurrence leaves
// none, the once-only test of a template's middle text.
bool OccursOnlyOnce(std::string_view text, const Literal& pattern, std::size_t first);

// The slot texts of a match: views into the line, or AbsentMark for a slot the
// template does not fill.
struct SlotTexts {
  std::string_view killer;
  std::string_view victim;
};

enum class TemplateResult : std::uint8_t { kNoMatch, kMatch, kMalformed };

enum class SlotKind : std::uint8_t { kKiller, kVictim };

class CompiledTemplate {
 public:
  enum class Form : std::uint8_t {
    kWellFormed,
    kNeverMatches,  // an empty middle text or a skipped entry
    kMalformed,
  };

  // Reads the template the way the step-by-step matcher would, recording what a line
  // is tested against.
  explicit CompiledTemplate(std::string_view text);
  static CompiledTemplate Never() { return CompiledTemplate(); }

  Form form() const { return form_; }
  SlotKind first_slot() const { return first_slot_; }
  // What every line this well-formed template matches ends with.
  // A line is searched for the middle text (a two-slot template), not only tested at
  // its ends.
  bool searches_middle() const { return !suffix_.empty(); }
  // The shortest line this well-formed template can match.
  std::size_t min_length() const { return prefix_.size() + middle_.size() + suffix_.size(); }
  // The byte pairs of every text a line must contain to match (ConsoleLine::PairsOf).
  std::uint64_t required_pairs() const { return required_pairs_; }
  std::string_view required_ending() const { return suffix_.empty() ? middle_.text() : suffix_; }
  const Literal& middle() const { return middle_; }

 private:
  CompiledTemplate() = default;
  friend TemplateResult MatchTemplate(const CompiledTemplate&, std::string_view, SlotTexts&);

  Form form_ = Form::kNeverMatches;
  std::string prefix_;  // empty: none
  Literal middle_;
  std::string suffix_;  // empty: none, the one-slot reading
  SlotKind first_slot_ = SlotKind::kKiller;
  std::uint64_t required_pairs_ = 0;
  // Literal texts the step-by-step matcher looks for in the line before it meets the
  // fault of a malformed template; the fault shows only when all of them occur.
  std::vector<std::string> literals_before_fault_;
};

// kMalformed means the line reached the template's fault: the caller reports it.
TemplateResult MatchTemplate(const CompiledTemplate& compiled, std::string_view line,
                             SlotTexts& out);

}  // namespace mrv
