// The stats store of one capture: the maps in the order they were met, the nicknames
// of each map and the counters between them; the per-player summary and the profile.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/body.h"
#include "model/kill_table.h"
#include "model/wide_text.h"

namespace mrv {

// More nicknames than this on one map come only from hostile input; a saved game lists
// players x weapons x players kill counts for each map, so the store refuses to grow
// past it.
inline constexpr int kMaxNicksPerMap = 512;

// The memory the maps of one store may hold together: their records, nickname texts and
// kill tables. Input that would need more (thousands of nicknames on map after map)
// stops at it instead of exhausting the machine; realistic stores stay far below: an
// evening of 30 maps of 64 players takes about 20 MB, a 200 MB log of 7,000 maps 170 MB.
class StoreBudget {
 public:
  explicit StoreBudget(std::size_t limit) : limit_(limit) {}
  // Takes the bytes when they fit; otherwise takes nothing and is exceeded from then on.
  bool Reserve(std::size_t bytes);
  // Takes the bytes whether they fit or not (what is already allocated).
  void Charge(std::size_t bytes);
  void Release(std::size_t bytes) { used_ -= bytes < used_ ? bytes : used_; }
  // After maps were deleted: exceeded only while still over the limit. (A capture that
  // was refused keeps the mark until it has ended.)
  void Recheck() { exceeded_ = used_ > limit_; }
  bool exceeded() const { return exceeded_; }
  std::size_t used() const { return used_; }

 private:
  std::size_t limit_;
  std::size_t used_ = 0;
  bool exceeded_ = false;
};

inline constexpr std::size_t kStoreBudgetBytes = std::size_t{512} << 20;

struct StatsStore;

// The longest name (map name or nickname) the store takes from a capture: what one line
// of a saved game holds, its writer and its reader alike.
inline constexpr std::size_t kMaxNameLength = std::size_t{64} << 10;
// A captured map name or nickname that a saved game can hold and read back: one line,
// no longer than kMaxNameLength. A nickname must also not read as one of the saved
// game's section markers. What is not storable is not taken in, as a nickname beyond a
// full map is not: so what the program captured can always be saved.
inline bool IsStorableName(std::string_view name) {
  return name.size() <= kMaxNameLength && !HoldsLineBreak(name);
}
// "[MAP]", "[NICKS]", "[ENICKS]" or "[EMAP]". Inline: a capture tests every nickname.
inline bool IsSavedGameMarker(std::string_view nick) {
  return nick.size() >= 5 && nick.size() <= 8 && nick[0] == '[' &&
         (nick == "[MAP]" || nick == "[NICKS]" || nick == "[ENICKS]" || nick == "[EMAP]");
}
inline bool IsStorableNick(std::string_view nick) {
  return IsStorableName(nick) && !IsSavedGameMarker(nick);
}

struct MapRecord {
  explicit MapRecord(int weapon_count) : weapon_count(weapon_count) {}
  MapRecord(int weapon_count, std::shared_ptr<StoreBudget> budget);
  ~MapRecord();
  MapRecord(const MapRecord&) = delete;
  MapRecord& operator=(const MapRecord&) = delete;

  std::string name;
  std::string own_nick;
  std::vector<std::string> nicks;
  std::int32_t own_kills = 0;
  std::int32_t own_deaths = 0;
  // The own player's hits by body location: given, taken, the one before each of his
  // kills and the one before each of his deaths.
  LocationCounts hits{};
  LocationCounts hits_taken{};
  LocationCounts killing_hits{};
  LocationCounts last_hits_taken{};
  // Per nickname, by position in `nicks`: team, flags captured and returned, flag
  // carriers killed and flags taken.
  std::vector<std::uint8_t> teams;
  std::vector<std::int32_t> caps;
  std::vector<std::int32_t> rets;
  std::vector<std::int32_t> carrier_kills;
  std::vector<std::int32_t> flags_taken;
  std::int32_t start_time = 0;
  std::int32_t duration = 0;
  std::int32_t blue_caps = 0, red_caps = 0;
  std::int32_t blue_rets = 0, red_rets = 0;
  std::int32_t blue_flags_taken = 0, red_flags_taken = 0;
  std::int32_t blue_carrier_kills = 0, red_carrier_kills = 0;

  int weapon_count;  // W, fixed for the map's life
  int nick_count() const { return static_cast<int>(nicks.size()); }

  // The kills of nickname `killer` with weapon `weapon` on nickname `victim` (the
  // killer's own: his suicides); both nicknames of the map, the weapon below W.
  std::int32_t kills(int killer, int weapon, int victim) const {
    return kill_table_.count(KillTable::KeyOf(killer, weapon, victim));
  }
  // Every count that is not 0 (and those set to 0), as cells of killer, weapon, victim.
  const KillTable& kill_table() const { return kill_table_; }
  // One kill more, saturating. False, with nothing counted, when the store's budget
  // cannot take the cell a first kill of the three needs.
  bool AddKill(int killer, int weapon, int victim);
  // Sets a count (a saved game's, or a test's); false as AddKill.
  bool SetKills(int killer, int weapon, int victim, std::int32_t count);

 private:
  friend MapRecord& NewMap(StatsStore&, std::string);
  friend bool AddNick(MapRecord&, std::string, std::uint8_t);
  friend bool AddNickKeepingRoom(MapRecord&, std::string, std::uint8_t);
  friend bool AddNicks(MapRecord&, std::vector<std::string>, std::uint8_t, bool);
  friend void CompactMap(MapRecord&);
  bool AppendNicks(std::span<std::string> nicks, std::uint8_t team, bool keep_room);
  bool AddCell(std::uint32_t key, std::int32_t count);

  KillTable kill_table_;
  std::shared_ptr<StoreBudget> budget_;  // none for a map outside a store
  std::size_t charged_ = 0;              // what this map holds of the budget
};

struct StatsStore {
  explicit StatsStore(int weapon_count = 0, std::size_t budget_bytes = kStoreBudgetBytes)
      : weapon_count(weapon_count), budget(std::make_shared<StoreBudget>(budget_bytes)) {}
  int weapon_count;
  std::vector<std::unique_ptr<MapRecord>> maps;
  // Shared with the maps, which give their part back when they go.
  std::shared_ptr<StoreBudget> budget;
  // The store reached its budget: a capture or a load stops there.
  bool full() const { return budget->exceeded(); }

  int size() const { return static_cast<int>(maps.size()); }
  bool empty() const { return maps.empty(); }
  MapRecord& operator[](int i) { return *maps[static_cast<std::size_t>(i)]; }
  const MapRecord& operator[](int i) const { return *maps[static_cast<std::size_t>(i)]; }
};

struct StatsRecord {
  LocationCounts hits{};
  LocationCounts hits_taken{};
  LocationCounts killing_hits{};
  LocationCounts last_hits_taken{};
  std::vector<std::int32_t> kills;
  std::vector<std::int32_t> deaths;
  std::int32_t caps = 0;
  std::int32_t rets = 0;
  std::int32_t carrier_kills = 0;
  std::int32_t flags_taken = 0;
  std::int32_t time = 0;

  bool operator==(const StatsRecord&) const = default;
};

struct ProfileRecord {
  std::string name;
  std::vector<std::string> nicks;
  std::optional<StatsRecord> stats;
};

// Appends a map named `name`; its own nickname is inherited from the map before it.
MapRecord& NewMap(StatsStore& store, std::string name);
// Appends the nickname without looking for it; false when the map or the store is full.
bool AddNick(MapRecord& map, std::string nick, std::uint8_t team);
// The same for the map a capture is filling: its per-nickname lists keep room for more
// nicknames, so that they are not laid out anew for each, until CompactMap.
bool AddNickKeepingRoom(MapRecord& map, std::string nick, std::uint8_t team);
// Appends the nicknames in order, all with the same team, growing the per-nickname
// lists once, to their exact number unless `keep_room`; false, with nothing added, when
// they do not fit.
bool AddNicks(MapRecord& map, std::vector<std::string> nicks, std::uint8_t team,
              bool keep_room = false);
// Gives back the room kept for more nicknames and kills: the map is complete.
void CompactMap(MapRecord& map);
int NickIndex(const MapRecord& map, std::string_view nick);
// Kills of nickname k on the map, suicides excluded.
std::int64_t KillsOf(const MapRecord& map, int k);
// Index of the nickname, added when missing; a non-zero team overwrites the known
// one. -1 when the map is full, or when the nickname is missing and is no storable
// name (IsStorableName).
int FindOrAddNick(MapRecord& map, std::string_view nick, std::uint8_t team);
// A rename on every map: the old nickname as printed first, then, on a map that does not
// hold it and when it ends with the colour reset "^7", the old nickname without it.
void RenameInEveryMap(StatsStore& store, std::string_view old_nick, std::string_view new_nick);
void DeleteMap(StatsStore& store, int index);
void ClearMaps(StatsStore& store);

StatsRecord NewStatsRecord(int weapon_count);

}  // namespace mrv
