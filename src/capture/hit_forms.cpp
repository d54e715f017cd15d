#include "capture/hit_forms.h"

#include <algorithm>
#include <array>

#include "model/text.h"

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

}  // namespace

bool LocationNames::Add(std::string_view name, int location) {
  for (const Entry& entry : entries_) {
    if (entry.name == name) return false;
  }
  entries_.push_back({std::string(name), location});
  return true;
}

std::optional<LocationNames::Found> LocationNames::AtFront(std::string_view text,
                                                           std::string_view after) const {
  for (const Entry& entry : entries_) {
    // The first byte, compared inline, rules out nearly every name.
    if (!text.empty() && text.front() == entry.name.front() && text.starts_with(entry.name) &&
        text.substr(entry.name.size()).starts_with(after))
      return Found{entry.location, entry.name.size()};
  }
  return std::nullopt;
}

std::optional<LocationNames::Found> LocationNames::AtBack(std::string_view text,
                                                          std::string_view before) const {
  for (const Entry& entry : entries_) {
    if (!text.empty() && text.back() == entry.name.back() && text.ends_with(entry.name) &&
        text.substr(0, text.size() - entry.name.size()).ends_with(before))
      return Found{entry.location, entry.name.size()};
  }
  return std::nullopt;
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

std::optional<Hit> HitForm::Match(std::string_view line, const LocationNames& locations) const {
  const std::string& start = texts_.front();
  const std::string& end = texts_.back();
  if (line.size() < start.size() + end.size() || !line.starts_with(start) || !line.ends_with(end))
    return std::nullopt;
  std::string_view rest = line.substr(start.size(), line.size() - start.size() - end.size());
  int location = -1;
  // The parts before the nickname, each with the text that follows it, from the front ...
  for (std::size_t i = 0; i < nick_slot_; ++i) {
    const std::string_view after = texts_[i + 1];
    std::size_t length = 0;
    if (slots_[i] == Slot::kLocation) {
      const auto found = locations.AtFront(rest, after);
      if (!found) return std::nullopt;
      location = found->location;
      length = found->length;
    } else {
      length = DigitsAtFront(rest);
      if (length == 0 || !rest.substr(length).starts_with(after)) return std::nullopt;
    }
    rest.remove_prefix(length + after.size());
  }
  // ... and those after it, each with the text before it, from the back.
  for (std::size_t i = slots_.size() - 1; i > nick_slot_; --i) {
    const std::string_view before = texts_[i];
    std::size_t length = 0;
    if (slots_[i] == Slot::kLocation) {
      const auto found = locations.AtBack(rest, before);
      if (!found) return std::nullopt;
      location = found->location;
      length = found->length;
    } else {
      length = DigitsAtBack(rest);
      if (length == 0 || !rest.substr(0, rest.size() - length).ends_with(before))
        return std::nullopt;
    }
    rest.remove_suffix(length + before.size());
  }
  return Hit{direction_, location, rest};
}

}  // namespace mrv
