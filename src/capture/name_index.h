// Where each nickname of a store stands, over all its maps, so that finding a nickname
// on the current map and renaming one on every map cost the same however long the
// capture has run.
//
// On each map, the first nickname of each spelling (letter case ignored) belongs to the
// group of that spelling: one group per spelling for the whole store, which lists its
// holders (map, position) in map order; the last map's are listed all at once, the
// cheaper way, when the next map opens or a rename needs them. A rename changes a
// group's text once, for every map that holds it; the maps' own nick lists are brought
// up to date by Settle(), and the current map's at once. A later nickname of the same
// spelling on one map (a duplicate, which a rename onto a name the map held before or
// a saved game makes) belongs to no group, which lists the maps it is duplicated on:
// when a rename takes the group's name away, on each of those maps the first duplicate
// becomes the first of the old name, and joins the group of that name. Only a rename
// whose old name some maps hold as printed and others without its colour reset is
// made the plain way, map by map, on the maps that hold either: a cost that follows
// those maps, not the store.
//
// Only the capture that owns the index changes the store while it lives, and it adds
// nicknames only to the store's last map.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/stats_store.h"
#include "model/wide_text.h"

namespace mrv {

class NameIndex {
 public:
  explicit NameIndex(StatsStore& store) : store_(store) {}

  // FindOrAddNick on the store's last map (the plain way on any other).
  int FindOrAdd(MapRecord& map, std::string_view nick, std::uint8_t team);
  // RenameInEveryMap, without the walk over every map.
  void Rename(std::string_view old_nick, std::string_view new_nick);
  // Writes the renamed nicknames into every map's nick list.
  void Settle();

 private:
  static constexpr std::uint32_t kNoGroup = UINT32_MAX;

  struct Holder {
    std::uint32_t map;
    std::uint32_t position;
  };
  // A cache line each, so that listing a holder reads and writes one line of its group.
  struct alignas(64) Group {
    std::string text;             // since renamed_at, the text of every holder
    std::vector<Holder> holders;  // in map order
    std::uint32_t renamed_at = 0;
  };
  // Per nickname of a map: its group, and when it joined it (its own text stands in
  // the map's nick list until the group is renamed after that).
  struct Entry {
    std::uint32_t group;
    std::uint32_t joined;
  };
  // The entries of every map, map after map in one array, so that a map costs no
  // allocation of its own: only the last map takes more.
  class NamesByMap {
   public:
    std::uint32_t maps() const { return static_cast<std::uint32_t>(starts_.size()); }
    std::uint32_t size(std::uint32_t map) const { return End(map) - starts_[map]; }
    Entry& at(std::uint32_t map, std::uint32_t position) {
      return entries_[starts_[map] + position];
    }
    void AddMaps(std::uint32_t count) {
      starts_.resize(count, static_cast<std::uint32_t>(entries_.size()));
    }
    void AddToLast(Entry entry) { entries_.push_back(entry); }
    void Clear() { entries_.clear(), starts_.clear(); }

   private:
    std::uint32_t End(std::uint32_t map) const {
      return map + 1 < starts_.size() ? starts_[map + 1]
                                      : static_cast<std::uint32_t>(entries_.size());
    }
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> starts_;  // by map, where its entries start
  };

  // Groups by the hash of their spelling: open addressing, looked up for nearly every
  // nickname met anew on a map; a rename moves a group to another hash. A slot holds
  // a spelling of its group (letter case aside) when it is short, as nearly all are, so
  // that such a lookup reads the slot alone, not the group too.
  class SpellingTable {
   public:
    void Insert(std::uint64_t hash, std::uint32_t group, std::string_view spelling);
    void Erase(std::uint64_t hash, std::uint32_t group);
    void Clear() { slots_.clear(), used_ = live_ = 0; }
    // The group of the nickname's spelling; `spelled(group)` tells whether a group whose
    // spelling is too long for its slot is the one.
    template <typename Spelled>
    std::uint32_t Find(std::uint64_t hash, std::string_view nick, Spelled spelled) const {
      if (slots_.empty()) return kNoGroup;
      const std::size_t mask = slots_.size() - 1;
      for (std::size_t at = hash & mask; slots_[at].group != kNoGroup; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash != hash || slot.group == kErased) continue;
        if (slot.length <= kShort ? EqualsIgnoringCaseWide(slot.spelling(), nick)
                                  : spelled(slot.group)) {
          return slot.group;
        }
      }
      return kNoGroup;
    }

   private:
    static constexpr std::uint32_t kErased = UINT32_MAX - 1;
    static constexpr std::size_t kShort = 19;  // the longest spelling a slot holds
    struct alignas(32) Slot {
      std::uint64_t hash = 0;
      std::uint32_t group = kNoGroup;
      std::uint8_t length = 0;  // above kShort: the spelling is the group's alone
      char text[kShort] = {};
      std::string_view spelling() const { return {text, length}; }
    };
    void Place(const Slot& slot);
    std::vector<Slot> slots_;
    std::size_t used_ = 0;  // slots not free, erased ones included
    std::size_t live_ = 0;  // slots holding a group
  };

  std::uint32_t FindGroup(std::string_view nick) const;
  std::uint32_t FindGroup(std::string_view nick, std::uint64_t hash) const;
  std::uint32_t NewGroup(std::string_view nick);
  void Forget(std::uint32_t group);  // from the spelling lookup
  // The nickname reads as its group's text, which its map's nick list does not yet hold.
  bool ReadsGroupText(const Entry& entry) const;
  void SettleMap(std::uint32_t map);
  // Renames the group to a spelling that another group holds, joining the two.
  void JoinGroups(std::uint32_t renamed, std::uint32_t other, std::string_view new_nick);
  // After a rename took the name `spelling` from its group: on each of the maps that
  // held duplicates of it, the first of them joins the group of that name.
  void PromoteDuplicates(const std::string& spelling, const std::vector<std::uint32_t>& maps);
  // The nickname keeps the text it now reads as its own and leaves its group.
  void Demote(std::uint32_t map, std::uint32_t position);
  // The rename of a name held as printed and without its colour reset: see above.
  // `stripped` is the old nickname without its colour reset.
  void RenameOnHoldingMaps(const std::string& old_nick, const std::string& stripped,
                           const std::string& new_nick);
  // Makes the index agree with the store again, from the nick lists.
  void Rebuild();
  // Learns the maps opened since, or rebuilds when the store changed otherwise.
  void Sync() {
    // As nearly always: no map opened since, and the last one took its nicknames here.
    const auto& maps = store_.maps;
    if (!built_ || names_.maps() != maps.size() || maps.empty() ||
        names_.size(names_.maps() - 1) != maps.back()->nicks.size()) {
      SyncChanged();
    }
  }
  void SyncChanged();

  StatsStore& store_;
  bool built_ = false;
  std::uint32_t now_ = 1;  // a clock of renames
  std::vector<Group> groups_;
  // By group: the maps that hold duplicates of its spelling, in map order.
  std::vector<std::vector<std::uint32_t>> duplicated_;
  SpellingTable by_spelling_;
  NamesByMap names_;
  // The groups list their holders up to here, where the last map's names stood when a
  // map was opened or a nickname renamed: the nicknames added since are listed in
  // names_ only, until ListHolders() lists them too, as a rename needs.
  Holder unlisted_{0, 0};
  void ListHolders();
  Holder EndOfNames() const;
  // The spelling hashes of the last map's nicknames by position, and a lookup of those
  // positions by hash (open addressing, at least twice as many slots as nicknames; a
  // slot holds the hash's upper bits and the position + 1 in kSlotPosition's bits, 0
  // when free), so that a nickname met again on the current map is found there with
  // one read per slot, without the store-wide lookup. They stand for `indexed_map_`
  // while the store holds `indexed_maps_` maps and that map no more nicknames than
  // they; renames forget them.
  static constexpr std::uint64_t kSlotPosition = 0xFFFF;
  static_assert(kMaxNicksPerMap < kSlotPosition);
  void IndexLastMap(const MapRecord& map);
  void ForgetLastMap();
  void LayOutLastSlots();
  void AddLastSlot(std::size_t position);
  std::vector<std::uint64_t> last_hashes_;
  std::vector<std::uint64_t> last_slots_;
  const MapRecord* indexed_map_ = nullptr;
  std::size_t indexed_maps_ = 0;
};

}  // namespace mrv
