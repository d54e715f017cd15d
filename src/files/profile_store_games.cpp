// Adding a game to the open profile and taking games out of it. Both build the whole
// new file while checking the old one's layout line by line, and replace the profile
// only when everything was in order.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "files/profile_store.h"
#include "files/safe_file.h"
#include "model/contribution.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr std::string_view kGameKey = "GAME";

// Reads the next line, which must carry the key.
bool RequireKey(ProfileLines& lines, std::string_view key, std::string& line) {
  return lines.Next(line) && KeyOf(line) == key;
}

// Reads the next line, which must be exactly the text.
bool RequireLine(ProfileLines& lines, std::string_view text) {
  std::string line;
  return lines.Next(line) && line == text;
}

std::optional<std::int32_t> SecondFieldAsInt(std::string& line) {
  return ParseInt32(ExtractField(line, '=', 2, false));
}

// Reads the game count and the figure lines of a totals block, after its marker. The
// figures go into `into` when given; otherwise only their keys are checked.
bool ReadTotalsHead(ProfileLines& lines, std::int32_t& games, StatsRecord* into) {
  std::string line;
  if (!lines.Next(line)) return false;
  const auto count = SecondFieldAsInt(line);
  if (!count || *count < 0) return false;  // a game count is never negative
  games = *count;
  for (std::size_t i = 0; i < kStatsKeys.size(); ++i) {
    if (!RequireKey(lines, kStatsKeys[i], line)) return false;
    if (into != nullptr && !AddStatsValue(*into, static_cast<int>(i), ValueOf(line))) return false;
  }
  return true;
}

// Totals that held less than the games taken out of them (a file changed by hand) stop
// at zero: a negative figure would make the profile unreadable.
void KeepAtLeastZero(StatsRecord& totals) {
  const auto at_least_zero = [](std::int32_t& value) { value = std::max(value, 0); };
  for (LocationCounts* counts :
       {&totals.hits, &totals.hits_taken, &totals.killing_hits, &totals.last_hits_taken}) {
    std::ranges::for_each(*counts, at_least_zero);
  }
  std::ranges::for_each(totals.kills, at_least_zero);
  std::ranges::for_each(totals.deaths, at_least_zero);
  for (std::int32_t* count :
       {&totals.caps, &totals.rets, &totals.carrier_kills, &totals.flags_taken, &totals.time}) {
    at_least_zero(*count);
  }
}

void AppendGameHeader(std::string& out, std::int32_t number, std::string_view id) {
  out += "GAME=";
  out += std::to_string(number);
  out += '=';
  AppendLine(out, id);
}

void AppendTotals(std::string& out, std::int32_t games, const StatsRecord& totals,
                  std::string_view first_id, std::string_view last_id) {
  AppendLine(out, kTotalsMarker);
  AppendLine(out, "GAMES=" + std::to_string(games));
  AppendStatsLines(out, totals);
  out += "FIRSTGAME=";
  AppendLine(out, first_id);
  out += "LASTGAME=";
  AppendLine(out, last_id);
  AppendLine(out, kEndTotalsMarker);
  AppendLine(out, kGamesMarker);
}

void FitWeapons(StatsRecord& record, int weapon_count) {
  record.kills.resize(static_cast<std::size_t>(weapon_count));
  record.deaths.resize(static_cast<std::size_t>(weapon_count));
}

}  // namespace

bool ProfileStore::AddGame(const StatsRecord& game, StatsRecord& totals, const std::string& id) {
  FitWeapons(totals, weapon_count_);
  AddStatsRecord(totals, game);
  StatsRecord block = NewStatsRecord(weapon_count_);
  AddStatsRecord(block, game);
  if (!IsStorableGameId(id)) return Fail(kInvalidGameName);
  FileLock own_lock;
  if (!BeginChange(own_lock)) return false;
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToSaveFile);

  std::string content = RewriteBuffer(path_);
  if (!lines_.SkipTo(kEndNicknamesMarker, &content)) return Fail(kInvalidFile);
  std::string line;
  const bool first_game = !lines_.Next(line);
  if (lines_.failed()) return Fail(kInvalidFile);
  std::int32_t games = 0;
  std::string first_id = id;
  if (!first_game) {
    if (line != kTotalsMarker || !ReadTotalsHead(lines_, games, nullptr) ||
        !RequireKey(lines_, "FIRSTGAME", line)) {
      return Fail(kInvalidFile);
    }
    // The earliest game stays the earliest, unless every game was removed before.
    if (!ValueOf(line).empty()) first_id = ValueOf(line);
    if (!RequireKey(lines_, "LASTGAME", line) || !RequireLine(lines_, kEndTotalsMarker) ||
        !RequireLine(lines_, kGamesMarker)) {
      return Fail(kInvalidFile);
    }
  }
  AppendTotals(content, SaturatingAdd(games, 1), totals, first_id, id);
  AppendGameHeader(content, 1, id);
  AppendStatsLines(content, block);
  AppendLine(content, kEndGameMarker);

  std::int32_t number = 2;
  while (lines_.Next(line)) {
    if (KeyOf(line) == kGameKey) {
      AppendGameHeader(content, number++, ExtractField(line, '=', 3, false));
    } else {
      AppendLine(content, line);
    }
  }
  if (lines_.failed()) return Fail(kInvalidFile);
  return ReplaceOpenProfile(content);
}

bool ProfileStore::RemoveGames(std::span<const std::int32_t> numbers,
                               std::span<const std::string> listed) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const bool in_list = numbers[i] >= 1 && static_cast<std::size_t>(numbers[i]) <= listed.size();
    if (!in_list || (i > 0 && numbers[i] <= numbers[i - 1])) return Fail(kProfileChanged);
  }
  FileLock own_lock;
  if (!BeginChange(own_lock)) return false;
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToSaveFile);

  std::string content = RewriteBuffer(path_);
  StatsRecord totals = NewStatsRecord(weapon_count_);
  std::int32_t games = 0;
  // A profile without a totals block has no game to remove.
  if (!lines_.SkipTo(kEndNicknamesMarker, &content) || !RequireLine(lines_, kTotalsMarker) ||
      !ReadTotalsHead(lines_, games, &totals)) {
    return Fail(kInvalidFile);
  }
  std::string line;
  if (!RequireKey(lines_, "FIRSTGAME", line) || !RequireKey(lines_, "LASTGAME", line) ||
      !RequireLine(lines_, kEndTotalsMarker) || !RequireLine(lines_, kGamesMarker)) {
    return Fail(kInvalidFile);
  }

  // The kept blocks, renumbered; the removed ones' figures leave the totals.
  std::string kept_blocks;
  std::vector<std::string> kept;
  std::size_t met = 0;
  std::size_t next = 0;
  bool as_listed = true;
  while (lines_.Next(line)) {
    if (KeyOf(line) != kGameKey || !SecondFieldAsInt(line)) return Fail(kInvalidFile);
    std::string id = ExtractField(line, '=', 3, false);
    as_listed = as_listed && met < listed.size() && listed[met] == id;
    ++met;
    const bool drop = next < numbers.size() && static_cast<std::size_t>(numbers[next]) == met;
    StatsRecord removed = NewStatsRecord(weapon_count_);
    if (drop) {
      ++next;
    } else {
      AppendGameHeader(kept_blocks, static_cast<std::int32_t>(kept.size() + 1), id);
      kept.push_back(std::move(id));
    }
    bool closed = false;
    while (!closed && lines_.Next(line)) {
      closed = line == kEndGameMarker;
      if (!drop) {
        AppendLine(kept_blocks, line);
      } else if (!closed) {
        // A removed block is read as ReadGames reads it: figures up to its end marker.
        const int index = StatsKeyIndex(KeyOf(line));
        if (index < 0 || !AddStatsValue(removed, index, ValueOf(line))) return Fail(kInvalidFile);
      }
    }
    if (!closed) return Fail(kInvalidFile);
    SubtractStatsRecord(totals, removed);
  }
  if (lines_.failed()) return Fail(kInvalidFile);
  if (!as_listed || met != listed.size()) return Fail(kProfileChanged);

  games = std::max(SaturatingAdd(games, -static_cast<std::int64_t>(numbers.size())), 0);
  KeepAtLeastZero(totals);
  AppendTotals(content, games, totals, kept.empty() ? std::string() : kept.back(),
               kept.empty() ? std::string() : kept.front());
  content += kept_blocks;
  return ReplaceOpenProfile(content);
}

bool ProfileStore::BeginChange(FileLock& own_lock) {
  if (!active_) return Fail(kUnableToSaveFile);
  return LockForChange(path_, own_lock);
}

bool ProfileStore::ReplaceOpenProfile(const std::string& content) {
  const std::string file_name = file_name_;
  const std::filesystem::path path = path_;
  FileLock lock = std::move(lock_);  // held across the reopen
  Close();
  const ReplaceResult result = ReplaceFileSafely(path, content);
  if (Open(file_name)) lock_ = std::move(lock);
  if (result == ReplaceResult::kReplaced) return true;
  // A temporary file left behind holds the new content for recovery.
  return Fail(result == ReplaceResult::kTemporaryLeft ? kInvalidFile : kUnableToSaveFile);
}

}  // namespace mrv
