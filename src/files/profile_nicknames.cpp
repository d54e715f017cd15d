#include "files/profile_nicknames.h"

#include <algorithm>
#include <utility>

namespace mrv {

std::string AddNickname(std::vector<std::string>& nicknames, const std::string& nick) {
  if (nicknames.size() >= kMaxNicknames) {
    return "\r\nYou've reached the maximum number of nicknames for this player! 100!";
  }
  if (std::find(nicknames.begin(), nicknames.end(), nick) != nicknames.end()) {
    return "\r\nThat nickname is already listed!";
  }
  nicknames.push_back(nick);
  return {};
}

std::string RemoveNickname(std::vector<std::string>& nicknames, std::size_t index) {
  if (nicknames.size() < 2) return "\r\nThere must be at least one nickname!";
  if (index < nicknames.size())
    nicknames.erase(nicknames.begin() + static_cast<std::ptrdiff_t>(index));
  return {};
}

std::size_t MoveNickname(std::vector<std::string>& nicknames, std::size_t index, bool up) {
  if (index >= nicknames.size()) return index;
  const std::size_t other = up ? index - 1 : index + 1;
  if ((up && index == 0) || other >= nicknames.size()) return index;
  std::swap(nicknames[index], nicknames[other]);
  return other;
}

}  // namespace mrv
