// The pieces of the profile file layout shared by its readers and writers: section
// markers, the eleven figure keys, bounded line reading and CR LF line writing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/line_reader.h"
#include "model/stats_store.h"

namespace mrv {

inline constexpr std::string_view kNotesMarker = "[NOTES]";
inline constexpr std::string_view kEndNotesMarker = "[ENOTES]";
inline constexpr std::string_view kNicknamesMarker = "[NICKNAMES]";
inline constexpr std::string_view kEndNicknamesMarker = "[ENICKNAMES]";
inline constexpr std::string_view kTotalsMarker = "[TOTALSTATS]";
inline constexpr std::string_view kEndTotalsMarker = "[ETOTALSTATS]";
inline constexpr std::string_view kGamesMarker = "[GAMES]";
inline constexpr std::string_view kEndGameMarker = "[EGAME]";

// A genuine profile line is short; a longer one marks a damaged or hostile file.
inline constexpr std::size_t kMaxProfileLine = 64 * 1024;
// Far beyond any real profile (hundreds of thousands of games); bounds what a
// rewrite holds in memory.
inline constexpr std::uint64_t kMaxProfileBytes = 64ull * 1024 * 1024;

// The figure keys of the totals and game blocks, in the order they are written.
inline constexpr std::array<std::string_view, 11> kStatsKeys = {
    "HITS", "HITSTAKEN", "DEATHHITS", "DEATHHITSTAKEN", "KILLS", "DEATHS",
    "FCK",  "FT",        "CAPS",      "RETS",           "TIME"};

// Index of the key in kStatsKeys, or -1.
int StatsKeyIndex(std::string_view key);
// A count of the file (a figure, GAMES, TIME): a non-negative integer, or nothing.
std::optional<std::int32_t> ParseCount(std::string_view text);
// Adds the value text of figure key `index` into the record: a value list for the
// location and weapon arrays, one count for the others. False for a bad value,
// negative ones included.
bool AddStatsValue(StatsRecord& stats, int index, std::string_view value);

// The text before the first "=", or the whole line.
std::string_view KeyOf(std::string_view line);
// The text after the first "=", or nothing.
std::string_view ValueOf(std::string_view line);

// A note, nickname or game name can be written only when reading it back gives the
// same line in the same section: no line break, not a section marker, not too long.
bool IsStorableLine(std::string_view line);
// A game name also holds no "=", which separates the fields of its block's first line.
bool IsStorableGameId(std::string_view id);
// Notes and nicknames that make a readable header: storable lines, one nickname at least.
bool IsStorableHeader(const std::vector<std::string>& notes,
                      const std::vector<std::string>& nicknames);

// An empty text with room for a rewrite of the file, which stays about its size.
std::string RewriteBuffer(const std::filesystem::path& file);

void AppendLine(std::string& out, std::string_view line);
// The notes and nickname sections.
void AppendHeader(std::string& out, const std::vector<std::string>& notes,
                  const std::vector<std::string>& nicknames);
// The eleven figure lines of a totals or game block.
void AppendStatsLines(std::string& out, const StatsRecord& stats);

// The lines of a profile file, refusing overlong lines and oversized files.
class ProfileLines {
 public:
  enum class Failure { kNone, kUnreadable, kDamaged };

  bool Open(const std::filesystem::path& path);
  void Close() { reader_.Close(); }
  // The next line; false at the end or on a failure.
  bool Next(std::string& line);
  // Reads up to and including the line `marker`, copying the lines read (CR LF ended)
  // to `copy` when given. False when the file ends first.
  bool SkipTo(std::string_view marker, std::string* copy = nullptr);
  // Collects the lines before the line `marker` and reads the marker. False when the
  // file ends first.
  bool CollectUntil(std::string_view marker, std::vector<std::string>& into);
  Failure failure() const { return failure_; }
  bool failed() const { return failure_ != Failure::kNone; }

 private:
  LineReader reader_{kMaxProfileLine};
  std::uint64_t bytes_ = 0;
  Failure failure_ = Failure::kNone;
};

}  // namespace mrv
