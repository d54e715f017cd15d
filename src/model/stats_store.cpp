#include "model/stats_store.h"

#include <algorithm>

#include "model/text.h"

namespace mrv {

namespace {

// Per nickname, besides the kill table: its text and its five per-nickname counters.
std::size_t NickBytes(const std::string& nick) {
  return sizeof(std::string) + nick.size() + 1 + 4 * sizeof(std::int32_t);
}

}  // namespace

bool StoreBudget::Reserve(std::size_t bytes) {
  if (exceeded_ || bytes > limit_ - std::min(limit_, used_)) {
    exceeded_ = true;
    return false;
  }
  used_ += bytes;
  return true;
}

void StoreBudget::Charge(std::size_t bytes) {
  used_ += bytes;
  if (used_ > limit_) exceeded_ = true;
}

MapRecord::MapRecord(int weapon_count, std::shared_ptr<StoreBudget> budget)
    : weapon_count(weapon_count), budget_(std::move(budget)) {}

MapRecord::~MapRecord() {
  if (budget_) budget_->Release(charged_);
}

bool MapRecord::AddCell(std::uint32_t key, std::int32_t count) {
  const std::size_t before = kill_table_.bytes();
  const std::size_t after = kill_table_.BytesAfterAdding(key);
  if (budget_ && after > before) {
    if (!budget_->Reserve(after - before)) return false;
    charged_ += after - before;
  }
  kill_table_.Add(key, count);
  return true;
}

bool MapRecord::AddKill(int killer, int weapon, int victim) {
  const std::uint32_t key = KillTable::KeyOf(killer, weapon, victim);
  if (std::int32_t* count = kill_table_.Find(key)) {
    Bump(*count);
    return true;
  }
  return AddCell(key, 1);
}

bool MapRecord::SetKills(int killer, int weapon, int victim, std::int32_t count) {
  const std::uint32_t key = KillTable::KeyOf(killer, weapon, victim);
  if (std::int32_t* found = kill_table_.Find(key)) {
    *found = count;
    return true;
  }
  return AddCell(key, count);
}

MapRecord& NewMap(StatsStore& store, std::string name) {
  auto map = std::make_unique<MapRecord>(store.weapon_count, store.budget);
  map->name = std::move(name);
  map->charged_ = sizeof(MapRecord) + map->name.size();
  store.budget->Charge(map->charged_);
  store.maps.push_back(std::move(map));
  MapRecord& added = *store.maps.back();
  added.own_nick = store.size() < 2 ? AbsentMark : store[store.size() - 2].own_nick;
  return added;
}

bool AddNick(MapRecord& map, std::string nick, std::uint8_t team) {
  return map.AppendNicks(std::span(&nick, 1), team, false);
}

bool AddNickKeepingRoom(MapRecord& map, std::string nick, std::uint8_t team) {
  return map.AppendNicks(std::span(&nick, 1), team, true);
}

bool AddNicks(MapRecord& map, std::vector<std::string> nicks, std::uint8_t team, bool keep_room) {
  return map.AppendNicks(nicks, team, keep_room);
}

bool MapRecord::AppendNicks(std::span<std::string> added, std::uint8_t team, bool keep_room) {
  const std::size_t old_n = nicks.size();
  if (added.size() > static_cast<std::size_t>(kMaxNicksPerMap) - old_n) return false;
  if (added.empty()) return true;
  const std::size_t new_n = old_n + added.size();
  std::size_t text_bytes = 0;
  for (const auto& nick : added) text_bytes += NickBytes(nick);
  if (budget_ && !budget_->Reserve(text_bytes)) return false;
  charged_ += budget_ ? text_bytes : 0;
  // Room first, so that running out of memory leaves the map as it was. Keeping room,
  // the lists grow by half again, from room for a usual game of 16, so that a map of N
  // nicknames is laid out a few times, not N times.
  if (new_n > nicks.capacity()) {
    const std::size_t room =
        keep_room ? std::max<std::size_t>({new_n, nicks.capacity() * 3 / 2, 16}) : new_n;
    nicks.reserve(std::min<std::size_t>(room, kMaxNicksPerMap));
  }
  const std::size_t room = nicks.capacity();
  for (auto* counts : {&caps, &rets, &carrier_kills, &flags_taken}) counts->reserve(room);
  teams.reserve(room);
  for (auto& nick : added) nicks.push_back(std::move(nick));
  teams.resize(new_n, team);
  caps.resize(new_n, 0);
  rets.resize(new_n, 0);
  carrier_kills.resize(new_n, 0);
  flags_taken.resize(new_n, 0);
  return true;
}

void CompactMap(MapRecord& map) {
  // Shrinking needs no more than the map already holds.
  const std::size_t before = map.kill_table_.bytes();
  map.kill_table_.Compact();
  const std::size_t freed = before - map.kill_table_.bytes();
  map.nicks.shrink_to_fit();
  for (auto* counts : {&map.caps, &map.rets, &map.carrier_kills, &map.flags_taken})
    counts->shrink_to_fit();
  map.teams.shrink_to_fit();
  if (map.budget_) {
    map.budget_->Release(freed);
    map.charged_ -= std::min(map.charged_, freed);
  }
}

int NickIndex(const MapRecord& map, std::string_view nick) {
  for (int i = 0; i < map.nick_count(); ++i) {
    if (EqualsIgnoreCase(map.nicks[static_cast<std::size_t>(i)], nick)) return i;
  }
  return -1;
}

std::int64_t KillsOf(const MapRecord& map, int k) {
  std::int64_t total = 0;
  for (const KillTable::Cell& cell : map.kill_table().cells()) {
    if (cell.killer() == k && cell.victim() != k) total += cell.count;
  }
  return total;
}

int FindOrAddNick(MapRecord& map, std::string_view nick, std::uint8_t team) {
  const int found = NickIndex(map, nick);
  if (found >= 0) {
    if (team != 0) map.teams[static_cast<std::size_t>(found)] = team;
    return found;
  }
  if (!IsStorableName(nick) || !AddNick(map, std::string(nick), team)) return -1;
  return map.nick_count() - 1;
}

void RenameInEveryMap(StatsStore& store, std::string_view old_nick, std::string_view new_nick) {
  const bool reset = old_nick.ends_with("^7");
  const std::string_view without_reset = old_nick.substr(0, reset ? old_nick.size() - 2 : 0);
  const std::string new_text(new_nick);  // the names may be views into a nickname renamed here
  const std::string old_text(old_nick);
  for (const auto& map : store.maps) {
    int index = NickIndex(*map, old_text);
    if (index < 0 && reset)
      index = NickIndex(*map, std::string_view(old_text).substr(0, without_reset.size()));
    if (index >= 0) map->nicks[static_cast<std::size_t>(index)] = new_text;
  }
}

void DeleteMap(StatsStore& store, int index) {
  store.maps.erase(store.maps.begin() + index);
  store.budget->Recheck();
}

void ClearMaps(StatsStore& store) {
  while (!store.maps.empty()) store.maps.pop_back();
  store.budget->Recheck();
}

StatsRecord NewStatsRecord(int weapon_count) {
  StatsRecord record;
  record.kills.assign(static_cast<std::size_t>(weapon_count), 0);
  record.deaths.assign(static_cast<std::size_t>(weapon_count), 0);
  return record;
}

}  // namespace mrv
