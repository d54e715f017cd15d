#include "capture/name_index.h"

#include <algorithm>

#include "model/wide_text.h"

namespace mrv {

namespace {

std::uint64_t SpellingHash(std::string_view text) {
  return HashIgnoringCase(text);
}

// Adds a map to a list in map order; it is nearly always the last.
void AddInOrder(std::vector<std::uint32_t>& maps, std::uint32_t map) {
  const auto at = std::lower_bound(maps.begin(), maps.end(), map);
  if (at == maps.end() || *at != map) maps.insert(at, map);
}

}  // namespace

void NameIndex::SpellingTable::Insert(std::uint64_t hash, std::uint32_t group,
                                      std::string_view spelling) {
  Slot slot{hash, group};
  if (spelling.size() <= kShort) {
    slot.length = static_cast<std::uint8_t>(spelling.size());
    std::copy(spelling.begin(), spelling.end(), slot.text);
  } else {
    slot.length = kShort + 1;
  }
  if (2 * (used_ + 1) > slots_.size()) {
    // Renames leave erased slots behind: the table is laid out anew for the groups it
    // holds, not merely doubled, so that lookups never wade through them.
    std::vector<Slot> old = std::move(slots_);
    std::size_t size = 64;
    while (size < 4 * (live_ + 1)) size *= 2;
    slots_.assign(size, Slot{});
    used_ = live_ = 0;
    for (const Slot& kept : old) {
      if (kept.group != kNoGroup && kept.group != kErased) Place(kept);
    }
  }
  Place(slot);
}

void NameIndex::SpellingTable::Place(const Slot& slot) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = slot.hash & mask;
  while (slots_[at].group != kNoGroup) at = (at + 1) & mask;
  slots_[at] = slot;
  ++used_;
  ++live_;
}

void NameIndex::SpellingTable::Erase(std::uint64_t hash, std::uint32_t group) {
  if (slots_.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask; slots_[at].group != kNoGroup; at = (at + 1) & mask) {
    if (slots_[at].hash == hash && slots_[at].group == group) {
      slots_[at].group = kErased;
      --live_;
      return;
    }
  }
}

std::uint32_t NameIndex::FindGroup(std::string_view nick) const {
  return FindGroup(nick, SpellingHash(nick));
}

std::uint32_t NameIndex::FindGroup(std::string_view nick, std::uint64_t hash) const {
  return by_spelling_.Find(hash, nick, [&](std::uint32_t group) {
    return EqualsIgnoringCaseWide(groups_[group].text, nick);
  });
}

std::uint32_t NameIndex::NewGroup(std::string_view nick) {
  const auto id = static_cast<std::uint32_t>(groups_.size());
  groups_.push_back(Group{std::string(nick), {}, 0});
  duplicated_.emplace_back();
  by_spelling_.Insert(SpellingHash(nick), id, nick);
  return id;
}

void NameIndex::Forget(std::uint32_t group) {
  by_spelling_.Erase(SpellingHash(groups_[group].text), group);
}

bool NameIndex::ReadsGroupText(const Entry& entry) const {
  return entry.group != kNoGroup && groups_[entry.group].renamed_at > entry.joined;
}

void NameIndex::SettleMap(std::uint32_t map) {
  std::vector<std::string>& nicks = store_[static_cast<int>(map)].nicks;
  for (std::uint32_t i = 0; i < names_.size(map) && i < nicks.size(); ++i) {
    Entry& entry = names_.at(map, i);
    if (ReadsGroupText(entry)) {
      nicks[i] = groups_[entry.group].text;
      entry.joined = now_;
    }
  }
}

void NameIndex::Settle() {
  if (!built_) return;
  for (std::uint32_t m = 0; m < names_.maps() && m < store_.maps.size(); ++m) SettleMap(m);
}

void NameIndex::Rebuild() {
  if (names_.maps() <= store_.maps.size()) Settle();
  groups_.clear();
  duplicated_.clear();
  by_spelling_.Clear();
  ForgetLastMap();
  names_.Clear();
  for (std::uint32_t m = 0; m < store_.maps.size(); ++m) {
    names_.AddMaps(m + 1);
    for (const std::string& nick : store_[static_cast<int>(m)].nicks) {
      std::uint32_t group = FindGroup(nick);
      if (group != kNoGroup && !groups_[group].holders.empty() &&
          groups_[group].holders.back().map == m) {
        AddInOrder(duplicated_[group], m);
        group = kNoGroup;
      } else {
        if (group == kNoGroup) group = NewGroup(nick);
        groups_[group].holders.push_back({m, names_.size(m)});
      }
      names_.AddToLast({group, now_});
    }
  }
  built_ = true;
  unlisted_ = EndOfNames();
}

NameIndex::Holder NameIndex::EndOfNames() const {
  if (names_.maps() == 0) return {0, 0};
  return {names_.maps() - 1, names_.size(names_.maps() - 1)};
}

void NameIndex::ListHolders() {
  for (std::uint32_t m = unlisted_.map; m < names_.maps(); ++m) {
    for (std::uint32_t position = m == unlisted_.map ? unlisted_.position : 0;
         position < names_.size(m); ++position) {
      const std::uint32_t group = names_.at(m, position).group;
      if (group != kNoGroup) groups_[group].holders.push_back({m, position});
    }
  }
  unlisted_ = EndOfNames();
}

void NameIndex::SyncChanged() {
  const std::size_t count = store_.maps.size();
  const std::uint32_t known = names_.maps();
  bool in_step = built_ && known <= count &&
                 (known == 0 || names_.size(known - 1) == store_.maps[known - 1]->nicks.size());
  for (std::size_t m = known; in_step && m < count; ++m) in_step = store_.maps[m]->nicks.empty();
  if (!in_step) {
    Rebuild();
  } else {
    // The maps that ended list their holders together, which costs far less than one
    // holder at a time while lines are read.
    ListHolders();
    names_.AddMaps(static_cast<std::uint32_t>(count));
  }
}

int NameIndex::FindOrAdd(MapRecord& map, std::string_view nick, std::uint8_t team) {
  // Nearly always the last map as the index left it: no map opened, no rename since.
  if (&map != indexed_map_ || store_.maps.size() != indexed_maps_ ||
      map.nicks.size() != last_hashes_.size()) {
    if (store_.maps.empty() || &map != store_.maps.back().get()) {
      return FindOrAddNick(map, nick, team);  // not the capture's map: the plain way
    }
    Sync();
    IndexLastMap(map);
  }
  const std::uint64_t hash = SpellingHash(nick);
  // Nearly always a nickname the map already holds: its first of that spelling. Along a
  // probe, positions come in the order they were added, so the first that matches is it.
  const std::size_t mask = last_slots_.size() - 1;
  for (std::size_t at = hash & mask; last_slots_[at] != 0; at = (at + 1) & mask) {
    const std::uint64_t slot = last_slots_[at];
    if ((slot ^ hash) > kSlotPosition) continue;  // another spelling's hash
    const std::size_t position = (slot & kSlotPosition) - 1u;
    if (EqualsIgnoringCaseWide(map.nicks[position], nick)) {
      if (team != 0) map.teams[position] = team;
      return static_cast<int>(position);
    }
  }
  // Every nickname of the map was looked at above, each reading as its group's text: a
  // group of this spelling holds none of them.
  std::uint32_t group = FindGroup(nick, hash);
  if (!IsStorableName(nick) || !AddNickKeepingRoom(map, std::string(nick), team)) return -1;
  if (group == kNoGroup) group = NewGroup(nick);
  const auto position = static_cast<std::uint32_t>(map.nicks.size() - 1);
  names_.AddToLast({group, now_});
  last_hashes_.push_back(hash);
  if (2 * last_hashes_.size() > last_slots_.size()) {
    LayOutLastSlots();
  } else {
    AddLastSlot(position);
  }
  return static_cast<int>(position);
}

void NameIndex::IndexLastMap(const MapRecord& map) {
  last_hashes_.clear();
  for (const std::string& held : map.nicks) last_hashes_.push_back(SpellingHash(held));
  LayOutLastSlots();
  indexed_map_ = &map;
  indexed_maps_ = store_.maps.size();
}

void NameIndex::ForgetLastMap() {
  last_hashes_.clear();
  last_slots_.clear();
  indexed_map_ = nullptr;
}

void NameIndex::LayOutLastSlots() {
  std::size_t size = 64;
  while (size < 2 * last_hashes_.size()) size *= 2;
  last_slots_.assign(size, 0);
  for (std::size_t position = 0; position < last_hashes_.size(); ++position) AddLastSlot(position);
}

void NameIndex::AddLastSlot(std::size_t position) {
  const std::size_t mask = last_slots_.size() - 1;
  const std::uint64_t hash = last_hashes_[position];
  std::size_t at = hash & mask;
  while (last_slots_[at] != 0) at = (at + 1) & mask;
  last_slots_[at] = (hash & ~kSlotPosition) | (position + 1);
}

void NameIndex::Demote(std::uint32_t map, std::uint32_t position) {
  Entry& entry = names_.at(map, position);
  // The map's nick list is read only when it lags behind: most often it does not.
  if (ReadsGroupText(entry))
    store_[static_cast<int>(map)].nicks[position] = groups_[entry.group].text;
  entry = {kNoGroup, now_};
}

void NameIndex::JoinGroups(std::uint32_t renamed, std::uint32_t other, std::string_view new_nick) {
  const bool renamed_smaller = groups_[renamed].holders.size() <= groups_[other].holders.size();
  const std::uint32_t small = renamed_smaller ? renamed : other;
  const std::uint32_t large = renamed_smaller ? other : renamed;
  Forget(renamed);
  Forget(other);
  groups_[renamed].text.assign(new_nick);
  groups_[renamed].renamed_at = ++now_;
  by_spelling_.Insert(SpellingHash(new_nick), large, new_nick);
  // The smaller group's holders move, keeping the text they now read as their own. On a
  // map that holds both, the first nickname of the new spelling stays in the group and
  // the later one becomes a duplicate.
  std::vector<Holder> moving;
  std::vector<Holder>& holders = groups_[large].holders;
  for (const Holder& holder : groups_[small].holders) {
    const auto twin = std::lower_bound(holders.begin(), holders.end(), holder.map,
                                       [](const Holder& h, std::uint32_t m) { return h.map < m; });
    if (twin != holders.end() && twin->map == holder.map) {
      AddInOrder(duplicated_[large], holder.map);
      if (twin->position < holder.position) {
        Demote(holder.map, holder.position);
        continue;
      }
      Demote(twin->map, twin->position);
      holders.erase(twin);
    }
    Demote(holder.map, holder.position);
    names_.at(holder.map, holder.position).group = large;
    moving.push_back(holder);
  }
  groups_[small].holders.clear();
  for (const std::uint32_t map : duplicated_[small]) AddInOrder(duplicated_[large], map);
  duplicated_[small].clear();
  const auto middle = static_cast<std::ptrdiff_t>(holders.size());
  holders.insert(holders.end(), moving.begin(), moving.end());
  if (middle > 0 && !moving.empty() && moving.front().map < holders[middle - 1].map) {
    std::inplace_merge(holders.begin(), holders.begin() + middle, holders.end(),
                       [](const Holder& a, const Holder& b) { return a.map < b.map; });
  }
}

void NameIndex::RenameOnHoldingMaps(const std::string& old_nick, const std::string& stripped,
                                    const std::string& new_nick) {
  // The spellings whose first nicknames may change, each once, and their groups.
  std::vector<std::string_view> spellings;
  for (const std::string* text : {&old_nick, &stripped, &new_nick}) {
    const bool listed = std::any_of(spellings.begin(), spellings.end(), [&](std::string_view s) {
      return EqualsIgnoringCaseWide(s, *text);
    });
    if (!text->empty() && !listed) spellings.push_back(*text);
  }
  std::vector<std::uint32_t> groups;
  for (const std::string_view spelling : spellings) groups.push_back(FindGroup(spelling));

  // The maps that hold an old spelling, in map order: every map holding one holds its
  // first in the spelling's group.
  std::vector<std::uint32_t> affected;
  for (const std::string* old_text : {&old_nick, &stripped}) {
    const std::uint32_t group = old_text->empty() ? kNoGroup : FindGroup(*old_text);
    if (group == kNoGroup) continue;
    for (const Holder& holder : groups_[group].holders) affected.push_back(holder.map);
  }
  std::sort(affected.begin(), affected.end());
  affected.erase(std::unique(affected.begin(), affected.end()), affected.end());

  // Each of those maps renamed as RenameInEveryMap would.
  for (const std::uint32_t m : affected) {
    SettleMap(m);
    MapRecord& map = store_[static_cast<int>(m)];
    int index = NickIndex(map, old_nick);
    if (index < 0 && !stripped.empty()) index = NickIndex(map, stripped);
    if (index >= 0) map.nicks[static_cast<std::size_t>(index)] = new_nick;
  }

  // The groups lose their holders on those maps and take the first nicknames of their
  // spellings there again; later ones become duplicates.
  auto is_affected = [&](std::uint32_t m) {
    return std::binary_search(affected.begin(), affected.end(), m);
  };
  for (const std::uint32_t group : groups) {
    if (group == kNoGroup) continue;
    std::erase_if(groups_[group].holders, [&](const Holder& h) { return is_affected(h.map); });
    std::erase_if(duplicated_[group], is_affected);
  }
  std::vector<std::vector<Holder>> taken(spellings.size());
  std::vector<bool> met(spellings.size());
  for (const std::uint32_t m : affected) {
    std::fill(met.begin(), met.end(), false);
    const std::vector<std::string>& nicks = store_[static_cast<int>(m)].nicks;
    for (std::uint32_t position = 0; position < nicks.size(); ++position) {
      std::size_t k = 0;
      while (k < spellings.size() && !EqualsIgnoringCaseWide(nicks[position], spellings[k])) ++k;
      if (k == spellings.size()) continue;
      Entry& entry = names_.at(m, position);
      entry.joined = now_;
      if (met[k]) {
        entry.group = kNoGroup;
        AddInOrder(duplicated_[groups[k]], m);
        continue;
      }
      met[k] = true;
      if (groups[k] == kNoGroup) groups[k] = NewGroup(spellings[k]);
      entry.group = groups[k];
      taken[k].push_back({m, position});
    }
  }
  for (std::size_t k = 0; k < spellings.size(); ++k) {
    if (taken[k].empty()) continue;
    std::vector<Holder>& holders = groups_[groups[k]].holders;
    const auto middle = static_cast<std::ptrdiff_t>(holders.size());
    holders.insert(holders.end(), taken[k].begin(), taken[k].end());
    std::inplace_merge(holders.begin(), holders.begin() + middle, holders.end(),
                       [](const Holder& a, const Holder& b) { return a.map < b.map; });
  }
}

void NameIndex::PromoteDuplicates(const std::string& spelling,
                                  const std::vector<std::uint32_t>& maps) {
  std::uint32_t group = kNoGroup;
  std::vector<Holder> promoted;
  for (const std::uint32_t m : maps) {
    SettleMap(m);
    const std::vector<std::string>& nicks = store_[static_cast<int>(m)].nicks;
    int held = 0;
    for (std::uint32_t position = 0; position < nicks.size(); ++position) {
      if (!EqualsIgnoringCaseWide(nicks[position], spelling)) continue;
      if (++held > 1) continue;
      if (group == kNoGroup) {
        group = FindGroup(spelling);
        if (group == kNoGroup) group = NewGroup(spelling);
      }
      names_.at(m, position) = {group, now_};
      promoted.push_back({m, position});
    }
    if (held > 1) AddInOrder(duplicated_[group], m);
  }
  if (promoted.empty()) return;
  std::vector<Holder>& holders = groups_[group].holders;
  const auto middle = static_cast<std::ptrdiff_t>(holders.size());
  holders.insert(holders.end(), promoted.begin(), promoted.end());
  std::inplace_merge(holders.begin(), holders.begin() + middle, holders.end(),
                     [](const Holder& a, const Holder& b) { return a.map < b.map; });
}

void NameIndex::Rename(std::string_view old_nick, std::string_view new_nick) {
  Sync();
  ListHolders();
  const bool reset = old_nick.ends_with("^7");
  const std::string_view without_reset = old_nick.substr(0, reset ? old_nick.size() - 2 : 0);
  const std::uint32_t exact = FindGroup(old_nick);
  const std::uint32_t stripped = reset ? FindGroup(without_reset) : kNoGroup;
  const std::uint32_t renamed = exact != kNoGroup ? exact : stripped;
  if (exact != kNoGroup && stripped != kNoGroup) {
    // Some maps may hold one old spelling and others the other: rare, and made the plain
    // way. The names may be views into a nickname renamed here.
    RenameOnHoldingMaps(std::string(old_nick), std::string(without_reset), std::string(new_nick));
  } else if (renamed != kNoGroup) {
    const std::uint32_t other = FindGroup(new_nick);
    // Unless the name only changes its letter case, its duplicates stay behind.
    const std::string old_text = other == renamed ? std::string() : groups_[renamed].text;
    std::vector<std::uint32_t> duplicated;
    if (other != renamed) duplicated.swap(duplicated_[renamed]);
    if (other == kNoGroup || other == renamed) {
      Forget(renamed);
      groups_[renamed].text.assign(new_nick);
      groups_[renamed].renamed_at = ++now_;
      by_spelling_.Insert(SpellingHash(new_nick), renamed, new_nick);
    } else {
      JoinGroups(renamed, other, new_nick);
    }
    if (!duplicated.empty()) PromoteDuplicates(old_text, duplicated);
  }
  if (names_.maps() > 0) SettleMap(names_.maps() - 1);
  // The last map's names may have changed.
  ForgetLastMap();
  unlisted_ = EndOfNames();
}

}  // namespace mrv
