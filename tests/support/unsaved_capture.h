// A live capture that read some console lines, whose program then died before the game
// was saved or dropped: its journal stays in the recovery folder, to be recovered. And
// the journals a recovery folder holds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/weapons.h"

namespace mrv::test {

// Captures the lines, all in one read, with the death messages of `data_dir`, whose
// recovery folder receives the journal; `start_ms` is the capture clock's start, which
// orders journals started in the same second. The journal's path.
std::filesystem::path UnsavedCapture(const std::filesystem::path& data_dir,
                                       const WeaponTable& weapons,
                                       const std::vector<std::string>& lines,
                                       std::uint64_t start_ms = 1'000'000);

// Every capture journal in the data folder's recovery folder, held by a capture or not.
std::set<std::filesystem::path> JournalFiles(const std::filesystem::path& data_dir);

}  // namespace mrv::test
