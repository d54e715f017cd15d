#include "files/profile_format.h"

#include <algorithm>
#include <span>
#include <type_traits>

#include "files/value_list.h"
#include "model/text.h"

namespace mrv {

namespace {

constexpr std::array<std::string_view, 8> kMarkers = {
    kNotesMarker,  kEndNotesMarker,  kNicknamesMarker, kEndNicknamesMarker,
    kTotalsMarker, kEndTotalsMarker, kGamesMarker,     kEndGameMarker};

constexpr int kFirstCountKey = 6;  // FCK; the keys before it hold value lists

// The accessors serve both the reading (mutable) and the writing (const) side.
template <typename Record>
using Counter = std::conditional_t<std::is_const_v<Record>, const std::int32_t, std::int32_t>;

template <typename Record>
std::span<Counter<Record>> ListField(Record& stats, int index) {
  switch (index) {
    case 0:
      return stats.hits;
    case 1:
      return stats.hits_taken;
    case 2:
      return stats.killing_hits;
    case 3:
      return stats.last_hits_taken;
    case 4:
      return stats.kills;
    default:
      return stats.deaths;
  }
}

template <typename Record>
Counter<Record>& CountField(Record& stats, int index) {
  switch (index) {
    case 6:
      return stats.carrier_kills;
    case 7:
      return stats.flags_taken;
    case 8:
      return stats.caps;
    case 9:
      return stats.rets;
    default:
      return stats.time;
  }
}

}  // namespace

int StatsKeyIndex(std::string_view key) {
  for (std::size_t i = 0; i < kStatsKeys.size(); ++i) {
    if (kStatsKeys[i] == key) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::int32_t> ParseCount(std::string_view text) {
  const auto number = ParseInt32(text);
  if (!number || *number < 0) return std::nullopt;
  return number;
}

bool AddStatsValue(StatsRecord& stats, int index, std::string_view value) {
  if (index < kFirstCountKey) {
    // A list shorter than the weapon table is a profile written before weapons were
    // added at the table's end: those weapons have no figures yet.
    return TextToCounts(value, ListField(stats, index), ListLength::kAtMost);
  }
  const auto number = ParseCount(value);
  if (!number) return false;
  auto& field = CountField(stats, index);
  field = SaturatingAdd(field, *number);
  return true;
}

std::string_view KeyOf(std::string_view line) {
  return line.substr(0, line.find('='));
}

std::string_view ValueOf(std::string_view line) {
  const auto equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

bool IsStorableLine(std::string_view line) {
  if (line.size() > kMaxProfileLine) return false;
  if (line.find_first_of("\r\n") != std::string_view::npos) return false;
  for (const auto marker : kMarkers) {
    if (line == marker) return false;
  }
  return true;
}

bool IsStorableGameId(std::string_view id) {
  return IsStorableLine(id) && id.find('=') == std::string_view::npos;
}

bool IsStorableHeader(const std::vector<std::string>& notes,
                      const std::vector<std::string>& nicknames) {
  if (nicknames.empty()) return false;
  for (const auto& line : notes) {
    if (!IsStorableLine(line)) return false;
  }
  for (const auto& line : nicknames) {
    if (!IsStorableLine(line)) return false;
  }
  return true;
}

std::string RewriteBuffer(const std::filesystem::path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  std::string buffer;
  if (!error) buffer.reserve(std::min<std::uint64_t>(size, kMaxProfileBytes) + 4096);
  return buffer;
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += "\r\n";
}

void AppendHeader(std::string& out, const std::vector<std::string>& notes,
                  const std::vector<std::string>& nicknames) {
  AppendLine(out, kNotesMarker);
  for (const auto& line : notes) AppendLine(out, line);
  AppendLine(out, kEndNotesMarker);
  AppendLine(out, kNicknamesMarker);
  for (const auto& line : nicknames) AppendLine(out, line);
  AppendLine(out, kEndNicknamesMarker);
}

void AppendStatsLines(std::string& out, const StatsRecord& stats) {
  for (int i = 0; i < static_cast<int>(kStatsKeys.size()); ++i) {
    out += kStatsKeys[static_cast<std::size_t>(i)];
    out += '=';
    out +=
        i < kFirstCountKey ? IntsToText(ListField(stats, i)) : std::to_string(CountField(stats, i));
    out += "\r\n";
  }
}

bool ProfileLines::Open(const std::filesystem::path& path) {
  bytes_ = 0;
  failure_ = Failure::kNone;
  return reader_.Open(path, InputKind::kRegular);
}

bool ProfileLines::Next(std::string& line) {
  if (failed()) return false;
  if (!reader_.Next(line)) {
    if (reader_.read_error()) failure_ = Failure::kUnreadable;
    return false;
  }
  bytes_ += reader_.last_length() + 1;
  if (reader_.overlong() || bytes_ > kMaxProfileBytes) {
    failure_ = Failure::kDamaged;
    return false;
  }
  return true;
}

bool ProfileLines::SkipTo(std::string_view marker, std::string* copy) {
  std::string line;
  while (Next(line)) {
    if (copy != nullptr) AppendLine(*copy, line);
    if (line == marker) return true;
  }
  return false;
}

bool ProfileLines::CollectUntil(std::string_view marker, std::vector<std::string>& into) {
  std::string line;
  while (Next(line)) {
    if (line == marker) return true;
    into.push_back(line);
  }
  return false;
}

}  // namespace mrv
