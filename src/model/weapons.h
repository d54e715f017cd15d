// The ordered weapon table: each entry is a code byte followed by the weapon's name.
// A weapon's index is its position; every per-weapon array is indexed by it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mrv {

class WeaponTable {
 public:
  WeaponTable() { by_code_.fill(-1); }

  int size() const { return static_cast<int>(entries_.size()); }
  bool empty() const { return entries_.empty(); }
  const std::string& entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  char code(int index) const { return codes_[static_cast<std::size_t>(index)]; }
  std::string_view name(int index) const { return std::string_view(entry(index)).substr(1); }

  // Appends an entry of at least two characters; the caller checks uniqueness.
  void Append(std::string entry);

  int FindWeaponByCode(char code) const { return by_code_[static_cast<unsigned char>(code)]; }
  int FindWeaponByName(std::string_view name) const;

 private:
  std::vector<std::string> entries_;
  std::string codes_;  // each entry's code, side by side: grids and totals test them per weapon
  std::array<int, 256> by_code_;  // first entry of each code, -1 when none
};

}  // namespace mrv
