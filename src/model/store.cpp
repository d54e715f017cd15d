#include "model/store.h"

#include "model/text.h"

namespace mrv {

map_record& NewMap(Database& database, std::string name) {
  auto map = std::make_unique<map_record>(database.weapon_count);
  map->name = std::move(name);
  database.maps.push_back(std::move(map));
  map_record& added = *database.maps.back();
  added.own_nick = database.size() < 2 ? AbsentMark : database[database.size() - 2].own_nick;
  return added;
}

bool AddNick(map_record& map, std::string nick, std::uint8_t team) {
  std::vector<std::string> one;
  one.push_back(std::move(nick));
  return AddNicks(map, std::move(one), team);
}

bool AddNicks(map_record& map, std::vector<std::string> nicks, std::uint8_t team) {
  const std::size_t old_n = map.nicks.size();
  if (nicks.size() > static_cast<std::size_t>(kMaxNicksPerMap) - old_n) return false;
  if (nicks.empty()) return true;
  const std::size_t new_n = old_n + nicks.size();
  const auto w_count = static_cast<std::size_t>(map.weapon_count);
  std::vector<std::int32_t> grown(new_n * w_count * new_n, 0);
  for (std::size_t k = 0; k < old_n; ++k) {
    for (std::size_t w = 0; w < w_count; ++w) {
      const auto from = map.kill_table.begin() + static_cast<std::ptrdiff_t>((k * w_count + w) * old_n);
      std::copy(from, from + static_cast<std::ptrdiff_t>(old_n),
                grown.begin() + static_cast<std::ptrdiff_t>((k * w_count + w) * new_n));
    }
  }
  map.kill_table = std::move(grown);
  for (auto& nick : nicks) map.nicks.push_back(std::move(nick));
  map.teams.resize(new_n, team);
  map.caps.resize(new_n, 0);
  map.rets.resize(new_n, 0);
  map.fck.resize(new_n, 0);
  map.ft.resize(new_n, 0);
  return true;
}

int NickIndex(const map_record& map, std::string_view nick) {
  for (int i = 0; i < map.nick_count(); ++i) {
    if (EqualsIgnoreCase(map.nicks[static_cast<std::size_t>(i)], nick)) return i;
  }
  return -1;
}

std::int64_t KillsOf(const map_record& map, int k) {
  std::int64_t total = 0;
  for (int w = 0; w < map.weapon_count; ++w) {
    for (int v = 0; v < map.nick_count(); ++v) {
      if (v != k) total += map.kills(k, w, v);
    }
  }
  return total;
}

int FindOrAddNick(map_record& map, std::string_view nick, std::uint8_t team) {
  const int found = NickIndex(map, nick);
  if (found >= 0) {
    if (team != 0) map.teams[static_cast<std::size_t>(found)] = team;
    return found;
  }
  if (!AddNick(map, std::string(nick), team)) return -1;
  return map.nick_count() - 1;
}

void DeleteMap(Database& database, int index) {
  database.maps.erase(database.maps.begin() + index);
}

void ClearMaps(Database& database) {
  while (!database.maps.empty()) database.maps.pop_back();
}

stats_record NewStatsRecord(int weapon_count) {
  stats_record record;
  record.kills.assign(static_cast<std::size_t>(weapon_count), 0);
  record.deaths.assign(static_cast<std::size_t>(weapon_count), 0);
  return record;
}

}  // namespace mrv
