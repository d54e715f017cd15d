// The stats store of one capture: the maps in the order they were met, the nicknames
// of each map and the counters between them; the per-player summary and the profile.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/body.h"

namespace mrv {

// More nicknames than this on one map come only from hostile input; the kill table
// grows with the square of the count, so the store refuses to grow past it.
inline constexpr int kMaxNicksPerMap = 512;

struct map_record {
  explicit map_record(int weapon_count) : weapon_count(weapon_count) {}

  std::string name;
  std::string own_nick;
  std::vector<std::string> nicks;
  std::int32_t own_kills = 0;
  std::int32_t own_deaths = 0;
  LocationCounts hits{};
  LocationCounts hitstaken{};
  LocationCounts deathhits{};
  LocationCounts deathhitstaken{};
  std::vector<std::uint8_t> teams;
  std::vector<std::int32_t> caps;
  std::vector<std::int32_t> rets;
  std::vector<std::int32_t> fck;
  std::vector<std::int32_t> ft;
  std::int32_t start_time = 0;
  std::int32_t duration = 0;
  std::int32_t blue_caps = 0, red_caps = 0;
  std::int32_t blue_rets = 0, red_rets = 0;
  std::int32_t blue_ft = 0, red_ft = 0;
  std::int32_t blue_fck = 0, red_fck = 0;

  int weapon_count;  // W, fixed for the map's life
  int nick_count() const { return static_cast<int>(nicks.size()); }

  // kills[killer][weapon][victim]
  std::int32_t& kills(int killer, int weapon, int victim) { return kill_table[Offset(killer, weapon, victim)]; }
  std::int32_t kills(int killer, int weapon, int victim) const {
    return kill_table[Offset(killer, weapon, victim)];
  }

  // N x W x N counts, killer-major, victim fastest.
  std::vector<std::int32_t> kill_table;

 private:
  std::size_t Offset(int k, int w, int v) const {
    return (static_cast<std::size_t>(k) * static_cast<std::size_t>(weapon_count) +
            static_cast<std::size_t>(w)) * nicks.size() + static_cast<std::size_t>(v);
  }
};

struct Database {
  explicit Database(int weapon_count = 0) : weapon_count(weapon_count) {}
  int weapon_count;
  std::vector<std::unique_ptr<map_record>> maps;

  int size() const { return static_cast<int>(maps.size()); }
  bool empty() const { return maps.empty(); }
  map_record& operator[](int i) { return *maps[static_cast<std::size_t>(i)]; }
  const map_record& operator[](int i) const { return *maps[static_cast<std::size_t>(i)]; }
};

struct stats_record {
  LocationCounts hits{};
  LocationCounts hitstaken{};
  LocationCounts deathhits{};
  LocationCounts deathhitstaken{};
  std::vector<std::int32_t> kills;
  std::vector<std::int32_t> deaths;
  std::int32_t caps = 0;
  std::int32_t rets = 0;
  std::int32_t fck = 0;
  std::int32_t ft = 0;
  std::int32_t time = 0;

  bool operator==(const stats_record&) const = default;
};

struct profile {
  std::string name;
  std::vector<std::string> nicks;
  std::optional<stats_record> stats;
};

// Appends a map named `name`; its own nickname is inherited from the map before it.
map_record& NewMap(Database& database, std::string name);
// Appends the nickname without looking for it; false when the map is full.
bool AddNick(map_record& map, std::string nick, std::uint8_t team);
// Appends the nicknames in order, all with the same team, growing the kill table once
// (one by one it is rebuilt for each); false, with nothing added, when they do not fit.
bool AddNicks(map_record& map, std::vector<std::string> nicks, std::uint8_t team);
int NickIndex(const map_record& map, std::string_view nick);
// Kills of nickname k on the map, suicides excluded.
std::int64_t KillsOf(const map_record& map, int k);
// Index of the nickname, added when missing; a non-zero team overwrites the known
// one. -1 only when the map is full.
int FindOrAddNick(map_record& map, std::string_view nick, std::uint8_t team);
void DeleteMap(Database& database, int index);
void ClearMaps(Database& database);

stats_record NewStatsRecord(int weapon_count);

}  // namespace mrv
