#include "model/weapons.h"

namespace mrv {

void WeaponTable::Append(std::string entry) {
  const auto code = static_cast<unsigned char>(entry[0]);
  codes_ += entry[0];
  entries_.push_back(std::move(entry));
  if (by_code_[code] < 0) by_code_[code] = size() - 1;
}

int WeaponTable::FindWeaponByName(std::string_view name) const {
  for (int i = 0; i < size(); ++i) {
    if (this->name(i) == name) return i;
  }
  return -1;
}

}  // namespace mrv
