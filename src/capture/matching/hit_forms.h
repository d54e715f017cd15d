// Hit lines as later game versions print them, read from GameTexts.txt: a form such as
//   You hit <NICK> in the <LOCATION> for <DAMAGE>% damage.
// and the table of the location names the game prints, each standing for one of the
// 21 hit locations.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/matching/byte_trie.h"
#include "capture/matching/recognisers.h"

namespace mrv {

// The names are looked up in tries of their bytes, read forwards and backwards, so that
// a lookup reads the text once however many names there are.
class LocationNames {
 public:
  struct Entry {
    std::string name;  // not empty
    int location;
  };

  LocationNames() = default;
  // In table order. A printed name stands for one location only, so that every hit is
  // counted once: the caller lists each name once.
  explicit LocationNames(std::vector<Entry> entries);
  bool empty() const { return entries_.empty(); }

  struct Found {
    int location;
    std::size_t length;  // of the name as printed
  };
  // The first name in table order that `text` begins with, right followed by `after`.
  std::optional<Found> AtFront(std::string_view text, std::string_view after) const;
  // The first name in table order that `text` ends with, right after `before`.
  std::optional<Found> AtBack(std::string_view text, std::string_view before) const;

 private:
  std::vector<Entry> entries_;
  ByteTrie names_;
  ByteTrie reversed_names_;
};

class HitForm {
 public:
  // The form read, or nothing with the reason in `fault`. A form begins with text, holds
  // <NICK> and <LOCATION> once each and <DAMAGE> (digits) at most once, with text
  // between every two of them.
  static std::optional<HitForm> Compile(std::string_view form, HitDirection direction,
                                        std::string& fault);

  // What every line of the form begins with.
  const std::string& start() const { return texts_.front(); }

  // The line must be the form with a location the table knows and, where the form has
  // one, a damage of digits. The nickname is what the other parts leave: they are read
  // from both ends of the line towards it, so any text in a nickname is read right.
  std::optional<Hit> Match(std::string_view line, const LocationNames& locations) const;

 private:
  enum class Slot : std::uint8_t { kNick, kLocation, kDamage };

  HitForm() = default;
  // Reads the part in `slot` with the text beside it on the nickname's side, from the
  // front of `rest` (a part before the nickname) or from its back (one after it): the
  // bytes they take, or nothing when they are not there.
  std::optional<std::size_t> TakePart(std::size_t slot, std::string_view rest, bool front,
                                      const LocationNames& locations, int& location) const;

  HitDirection direction_ = HitDirection::kGiven;
  std::vector<Slot> slots_;
  // texts_[i] stands before slots_[i]; the last one ends the line (it may be empty).
  std::vector<std::string> texts_;
  std::size_t nick_slot_ = 0;
};

}  // namespace mrv
