// The editing rules of a profile's nickname list, shared by the profile manager and
// the command-line tool. Each edit either changes the list or returns the message that
// refuses it; the list is written back by SaveNotesAndNicknames.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mrv {

// The most nicknames a profile holds.
inline constexpr std::size_t kMaxNicknames = 100;

// Appends the nickname unless the list is full or holds it already (compared exactly,
// so "Joe" joins "joe"). Empty when it was added, else the refusal.
std::string AddNickname(std::vector<std::string>& nicknames, const std::string& nick);
// Removes entry `index` unless it is the only one. Empty when it was removed.
std::string RemoveNickname(std::vector<std::string>& nicknames, std::size_t index);
// Exchanges entry `index` with the one above it (up) or below it; the first does not go
// up and the last does not go down. Returns the entry's index afterwards.
std::size_t MoveNickname(std::vector<std::string>& nicknames, std::size_t index, bool up);

}  // namespace mrv
