#include "files/saved_game.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <new>
#include <span>
#include <utility>
#include <vector>

#include "files/line_reader.h"
#include "files/local_time.h"
#include "files/safe_file.h"
#include "files/value_list.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kMapMarker = "[MAP]";
constexpr std::string_view kNicksMarker = "[NICKS]";
constexpr std::string_view kEndNicksMarker = "[ENICKS]";
constexpr std::string_view kEndMapMarker = "[EMAP]";

// The single-value lines of a map, in file order; shared by the writer and the reader.
template <typename Map>
auto CounterFields(Map& map) {
  return std::array{&map.own_kills,       &map.own_deaths,         &map.start_time,
                    &map.duration,        &map.blue_caps,          &map.red_caps,
                    &map.blue_rets,       &map.red_rets,           &map.blue_flags_taken,
                    &map.red_flags_taken, &map.blue_carrier_kills, &map.red_carrier_kills};
}

template <typename Map>
auto LocationFields(Map& map) {
  return std::array{&map.hits, &map.hits_taken, &map.killing_hits, &map.last_hits_taken};
}

// The per-nickname lists after the teams; flags taken come before carrier kills.
template <typename Map>
auto NickCounterFields(Map& map) {
  return std::array{&map.caps, &map.rets, &map.flags_taken, &map.carrier_kills};
}

bool AllCounts(std::span<const std::int32_t> values) {
  return std::all_of(values.begin(), values.end(), [](std::int32_t v) { return v >= 0; });
}

// Whether the reader reads the map back as written: names it can tell from markers,
// and counts that are not negative.
bool IsStorable(const MapRecord& map) {
  if (!IsStorableName(map.name) || !IsStorableName(map.own_nick)) return false;
  for (const auto& nick : map.nicks) {
    if (!IsStorableName(nick) || nick == kEndNicksMarker) return false;
  }
  for (const auto* counter : CounterFields(map)) {
    if (*counter < 0) return false;
  }
  for (const auto* locations : LocationFields(map)) {
    if (!AllCounts(*locations)) return false;
  }
  for (const auto& cell : map.kill_table().cells()) {
    if (cell.count < 0) return false;
  }
  for (const auto* counts : NickCounterFields(map)) {
    if (!AllCounts(*counts)) return false;
  }
  return true;
}

// Writes lines to a string or to a file: `Out` takes pieces through Write.
template <typename Out>
void WriteLine(Out& out, std::string_view line) {
  out.Write(line);
  out.Write(kLineEnd);
}

// The kill-table line of a row without a kill: "0;" for each nickname. Most rows are.
std::string ZeroRow(std::size_t nicks) {
  std::string row;
  row.reserve(2 * nicks);
  for (std::size_t v = 0; v < nicks; ++v) row += "0;";
  return row;
}

// The full table, one line per killer and weapon with a count for each victim, written
// from the cells that are not 0.
template <typename Out>
void WriteKills(Out& out, const MapRecord& map) {
  const auto n = static_cast<std::size_t>(map.nick_count());
  const std::string zero_row = ZeroRow(n) + std::string(kLineEnd);
  std::vector<KillTable::Cell> scratch;
  const std::span<const KillTable::Cell> cells = map.kill_table().InKeyOrder(scratch);
  auto next = cells.begin();
  std::string row;
  for (int k = 0; k < map.nick_count(); ++k) {
    for (int w = 0; w < map.weapon_count; ++w) {
      const std::uint32_t row_key = KillTable::KeyOf(k, w, 0) >> 10;
      while (next != cells.end() && next->key >> 10 < row_key) ++next;
      if (next == cells.end() || next->key >> 10 != row_key) {
        out.Write(zero_row);
        continue;
      }
      row.clear();
      for (std::size_t v = 0; v < n; ++v) {
        std::int32_t count = 0;
        if (next != cells.end() && next->key >> 10 == row_key &&
            static_cast<std::size_t>(next->victim()) == v) {
          count = (next++)->count;
        }
        char digits[16];
        row.append(digits, std::to_chars(digits, digits + sizeof digits, count).ptr);
        row += ';';
      }
      row += kLineEnd;
      out.Write(row);
    }
  }
}

template <typename Out>
void WriteMap(Out& out, const MapRecord& map) {
  WriteLine(out, kMapMarker);
  WriteLine(out, map.name);
  WriteLine(out, map.own_nick);
  for (const auto* counter : CounterFields(map)) WriteLine(out, std::to_string(*counter));
  for (const auto* locations : LocationFields(map)) WriteLine(out, IntsToText(*locations));
  WriteLine(out, kNicksMarker);
  for (const auto& nick : map.nicks) WriteLine(out, nick);
  WriteLine(out, kEndNicksMarker);
  WriteKills(out, map);
  WriteLine(out, BytesToText(map.teams));
  for (const auto* counts : NickCounterFields(map)) WriteLine(out, IntsToText(*counts));
  WriteLine(out, kEndMapMarker);
}

// Whether the whole store can be written so that it reads back.
bool IsStorable(const StatsStore& store, std::string_view game_name) {
  if (!IsStorableName(game_name)) return false;
  for (const auto& map : store.maps) {
    if (!IsStorable(*map)) return false;
  }
  return true;
}

template <typename Out>
void WriteGame(Out& out, const StatsStore& store, std::string_view game_name) {
  WriteLine(out, game_name);
  for (const auto& map : store.maps) WriteMap(out, *map);
}

struct StringOut {
  std::string text;
  void Write(std::string_view piece) { text += piece; }
};

// Lines of a game file; an overlong line counts as a failure, not as a cut line.
class GameLines {
 public:
  enum class Result { kLine, kEnd, kBad };

  GameLines() : reader_(kMaxGameFileLine) {}
  bool Open(const std::filesystem::path& file) { return reader_.Open(file, InputKind::kRegular); }

  Result Take(std::string& line) {
    if (!reader_.Next(line)) return reader_.read_error() ? Result::kBad : Result::kEnd;
    return reader_.overlong() ? Result::kBad : Result::kLine;
  }
  bool Next(std::string& line) { return Take(line) == Result::kLine; }

  bool Expect(std::string_view marker) { return Next(line_) && line_ == marker; }
  // Every number of a saved game is a count, never negative, and every list holds
  // exactly one value per entry: anything else is a damaged file.
  bool Count(std::int32_t& target) {
    if (!Next(line_)) return false;
    const auto value = ParseInt32(line_);
    if (value) target = *value;
    return value && *value >= 0;
  }
  bool Counts(std::span<std::int32_t> target) {
    return Next(line_) && TextToCounts(line_, target, ListLength::kExact);
  }
  bool Bytes(std::span<std::uint8_t> target) { return Next(line_) && TextToBytes(line_, target); }

 private:
  LineReader reader_;
  std::string line_;
};

// Reads the full kill table into the map's cells; a count beyond the store's budget
// fails the load.
bool ReadKills(GameLines& lines, MapRecord& map) {
  const auto n = static_cast<std::size_t>(map.nick_count());
  const std::string zero_row = ZeroRow(n);
  std::vector<std::int32_t> row(n);
  std::string line;
  for (int k = 0; k < map.nick_count(); ++k) {
    for (int w = 0; w < map.weapon_count; ++w) {
      if (!lines.Next(line)) return false;
      if (line == zero_row) continue;
      std::fill(row.begin(), row.end(), 0);
      if (!TextToCounts(line, row, ListLength::kExact)) return false;
      for (std::size_t v = 0; v < n; ++v) {
        if (row[v] != 0 && !map.SetKills(k, w, static_cast<int>(v), row[v])) return false;
      }
    }
  }
  return true;
}

// Reads one map after its "[MAP]" line. The map joins the store as soon as its
// name is read, so a failure leaves it there partly filled.
bool ReadMap(GameLines& lines, StatsStore& store) {
  std::string line;
  if (!lines.Next(line)) return false;
  MapRecord& map = NewMap(store, std::move(line));
  if (!lines.Next(map.own_nick)) return false;
  for (auto* counter : CounterFields(map)) {
    if (!lines.Count(*counter)) return false;
  }
  for (auto* locations : LocationFields(map)) {
    if (!lines.Counts(*locations)) return false;
  }
  if (!lines.Expect(kNicksMarker)) return false;
  // Gathered first so that the kill table grows once, not once per nickname.
  constexpr auto kMaxNicks = static_cast<std::size_t>(kMaxNicksPerMap);
  std::vector<std::string> nicks;
  bool listed = false;
  while (nicks.size() <= kMaxNicks && lines.Next(line)) {
    listed = line == kEndNicksMarker;
    if (listed) break;
    nicks.push_back(std::move(line));
  }
  if (nicks.size() > kMaxNicks) nicks.pop_back();  // the map is full: the load fails
  // Nicknames beyond the store's budget fail the load too.
  if (!AddNicks(map, std::move(nicks), 0) || !listed) return false;
  if (!ReadKills(lines, map)) return false;
  if (!lines.Bytes(map.teams)) return false;
  for (auto* counts : NickCounterFields(map)) {
    if (!lines.Counts(*counts)) return false;
  }
  CompactMap(map);
  return lines.Expect(kEndMapMarker);
}

}  // namespace

std::string CurrentGameName() { return LocalTimeText("%Y-%m-%d %H:%M"); }

std::filesystem::path GameFilePath(const std::filesystem::path& data_dir,
                                   std::string_view game_name) {
  std::string file_name(game_name);
  for (char& c : file_name) {
    if (c == ':' || c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '.';
  }
  const auto folder = data_dir / "games";
  std::error_code ignored;
  std::filesystem::create_directory(folder, ignored);
  return folder / (file_name + ".stg");
}

std::optional<std::string> GameFileText(const StatsStore& store, std::string_view game_name) {
  if (!IsStorable(store, game_name)) return std::nullopt;
  StringOut out;
  WriteGame(out, store, game_name);
  return std::move(out.text);
}

bool SaveGame(const StatsStore& store, const std::filesystem::path& file,
              std::string_view game_name, Prompt& prompt) {
  // Streamed into the file, so that saving a large store needs little memory on top of it.
  const auto write = [&](ContentSink& sink) { WriteGame(sink, store, game_name); };
  if (IsStorable(store, game_name) &&
      ReplaceFileSafely(file, write) == ReplaceResult::kReplaced) {
    return true;
  }
  prompt.Error("Unable to save file " + file.string(), kErrorCaption);
  return false;
}

bool LoadGame(StatsStore& store, const std::filesystem::path& file, std::string& game_name,
              Prompt& prompt) {
  using Result = GameLines::Result;
  GameLines lines;
  Result result = lines.Open(file) ? lines.Take(game_name) : Result::kBad;
  bool loaded = false;
  std::string line;
  try {
    while (result == Result::kLine) {
      result = lines.Take(line);
      if (result != Result::kLine) break;
      if (line != kMapMarker || !ReadMap(lines, store) || store.full()) result = Result::kBad;
      loaded = result == Result::kLine;
    }
  } catch (const std::bad_alloc&) {
    result = Result::kBad;  // the machine's memory ran out before the store's budget
  }
  if (result == Result::kBad) {
    prompt.Error("Unable to load file " + file.string(), kErrorCaption);
    return false;
  }
  return loaded;
}

}  // namespace mrv
