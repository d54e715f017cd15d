#include "capture/matching/hit_forms.h"

#include <algorithm>
#include <array>

#include "model/text.h"
#include "model/wide_text.h"

namespace mrv {

namespace {

std::size_t DigitsAtFront(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsAsciiDigit(text[n])) ++n;
  return n;
}

std::size_t DigitsAtBack(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsAsciiDigit(text[text.size() - 1 - n])) ++n;
  return n;
}

std::vector<std::string> Names(const std::vector<LocationNames::Entry>& entries, bool reversed) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const LocationNames::Entry& entry : entries) {
    names.push_back(entry.name);
    if (reversed) std::reverse(names.back().begin(), names.back().end());
  }
  return names;
}

}  // namespace

LocationNames::LocationNames(std::vector<Entry> entries)
    : entries_(std::move(entries)),
      names_(Names(entries_, false)),
      reversed_names_(Names(entries_, true)) {}

std::optional<LocationNames::Found> LocationNames::AtFront(std::string_view text,
                                                           std::string_view after) const {
  std::size_t first = entries_.size();
  names_.ForEachStart(text.begin(), text.end(), [&](std::size_t number, std::size_t length) {
    if (number < first && StartsWithBytes(text.substr(length), after)) first = number;
  });
  if (first == entries_.size()) return std::nullopt;
  return Found{entries_[first].location, entries_[first].name.size()};
}

std::optional<LocationNames::Found> LocationNames::AtBack(std::string_view text,
                                                          std::string_view before) const {
  std::size_t first = entries_.size();
  reversed_names_.ForEachStart(
      text.rbegin(), text.rend(), [&](std::size_t number, std::size_t length) {
        if (number < first && EndsWithBytes(text.substr(0, text.size() - length), before))
          first = number;
      });
  if (first == entries_.size()) return std::nullopt;
  return Found{entries_[first].location, entries_[first].name.size()};
}

std::optional<HitForm> HitForm::Compile(std::string_view form, HitDirection direction,
                                        std::string& fault) {
  struct Tag {
    std::string_view text;
    Slot slot;
  };
  constexpr std::array<Tag, 3> kTags = {
      {{"<NICK>", Slot::kNick}, {"<LOCATION>", Slot::kLocation}, {"<DAMAGE>", Slot::kDamage}}};
  HitForm compiled;
  compiled.direction_ = direction;
  compiled.texts_.emplace_back();
  std::array<int, kTags.size()> counts{};
  while (!form.empty()) {
    const auto tag = std::find_if(kTags.begin(), kTags.end(),
                                  [form](const Tag& t) { return form.starts_with(t.text); });
    if (tag == kTags.end()) {
      compiled.texts_.back() += form.front();
      form.remove_prefix(1);
      continue;
    }
    if (compiled.texts_.back().empty()) {
      fault = compiled.slots_.empty() ? "a hit line form must begin with text"
                                      : "a hit line form needs text between its <...> parts";
      return std::nullopt;
    }
    if (tag->slot == Slot::kNick) compiled.nick_slot_ = compiled.slots_.size();
    ++counts[static_cast<std::size_t>(tag->slot)];
    compiled.slots_.push_back(tag->slot);
    compiled.texts_.emplace_back();
    form.remove_prefix(tag->text.size());
  }
  if (counts[0] != 1 || counts[1] != 1 || counts[2] > 1) {
    fault = "a hit line form holds <NICK> and <LOCATION> once each, <DAMAGE> at most once";
    return std::nullopt;
  }
  return compiled;
}

std::optional<std::size_t> HitForm::TakePart(std::size_t slot, std::string_view rest, bool front,
                                             const LocationNames& locations, int& location) const {
  const std::string_view beside = front ? texts_[slot + 1] : texts_[slot];
  std::size_t length = 0;
  if (slots_[slot] == Slot::kLocation) {
    const auto found = front ? locations.AtFront(rest, beside) : locations.AtBack(rest, beside);
    if (!found) return std::nullopt;
    location = found->location;
    length = found->length;
  } else {
    length = front ? DigitsAtFront(rest) : DigitsAtBack(rest);
    const std::string_view left =
        front ? rest.substr(length) : rest.substr(0, rest.size() - length);
    if (length == 0 || !(front ? StartsWithBytes(left, beside) : EndsWithBytes(left, beside)))
      return std::nullopt;
  }
  return length + beside.size();
}

std::optional<Hit> HitForm::Match(std::string_view line, const LocationNames& locations) const {
  const std::string& start = texts_.front();
  const std::string& end = texts_.back();
  if (line.size() < start.size() + end.size() || !StartsWithBytes(line, start) ||
      !EndsWithBytes(line, end))
    return std::nullopt;
  std::string_view rest = line.substr(start.size(), line.size() - start.size() - end.size());
  int location = -1;
  for (std::size_t slot = 0; slot < nick_slot_; ++slot) {
    const auto taken = TakePart(slot, rest, true, locations, location);
    if (!taken) return std::nullopt;
    rest.remove_prefix(*taken);
  }
  for (std::size_t slot = slots_.size() - 1; slot > nick_slot_; --slot) {
    const auto taken = TakePart(slot, rest, false, locations, location);
    if (!taken) return std::nullopt;
    rest.remove_suffix(*taken);
  }
  return Hit{direction_, location, rest};
}

}  // namespace mrv
