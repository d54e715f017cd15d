#include "views/overall_table.h"

#include <algorithm>
#include <limits>

#include "model/text.h"

namespace mrv {

namespace {

// The number a cell shows, 0 for a text that is none.
std::int64_t Thousandths(const std::string& cell) {
  return ParseThousandths(cell).value_or(0);
}
std::int64_t Whole(const std::string& cell) {
  return Thousandths(cell) / 1000;
}

}  // namespace

OverallRow MakeOverallRow(const MergedPlayer& player) {
  const PlayerStats& stats = player.stats;
  const std::int64_t k = AllWeaponsTotal(stats.kills);
  const std::int64_t d = AllWeaponsTotal(stats.deaths);
  OverallRow row;
  row.nickname = player.nick;
  row.mark = MarkOfMergedTeam(player.team);
  row.cells = {std::to_string(k),
               std::to_string(d),
               d != 0 ? FormatRatio(static_cast<double>(k) / static_cast<double>(d)) : "perfect",
               std::to_string(stats.flags_taken),
               std::to_string(stats.caps),
               stats.flags_taken != 0 ? FormatRatio(static_cast<double>(stats.caps) /
                                                    static_cast<double>(stats.flags_taken))
                                      : "0",
               std::to_string(stats.rets),
               std::to_string(stats.carrier_kills)};
  return row;
}

OverallTable::OverallTable() {
  columns_.push_back({"Nickname", 160});
  for (const char* caption : {"Kills", "Deaths", "K/D ratio", "Flags Taken", "Flags Captured",
                              "Att. Eff.", "Flags Returned", "Flag Carriers Killed"}) {
    columns_.push_back({caption, 90});
  }
}

void OverallTable::Fill(const std::vector<MergedPlayer>& players) {
  rows_.clear();
  rows_.reserve(players.size());
  for (const MergedPlayer& player : players) rows_.push_back(MakeOverallRow(player));
  int sorted = SortedColumn(columns_);
  if (sorted < 0) {
    sorted = 0;
    columns_[0].arrow = SortArrow::kUp;
  }
  Sort(sorted, columns_[static_cast<std::size_t>(sorted)].arrow == SortArrow::kUp);
}

void OverallTable::ClickColumn(int column) {
  if (column < 0 || column >= kOverallColumnCount) return;
  Sort(column, ClickOrder(columns_, column, column == 0));
}

void OverallTable::Sort(int column, bool ascending) {
  SortByNickname(column != 0 || ascending);
  if (column != 0) SortByKey(column, !ascending);
}

void OverallTable::SortByNickname(bool ascending) {
  // Nicknames of the table are unique ignoring case, so the order is total.
  std::sort(rows_.begin(), rows_.end(), [](const OverallRow& a, const OverallRow& b) {
    return LessIgnoringCase(a.nickname, b.nickname);
  });
  if (!ascending) std::reverse(rows_.begin(), rows_.end());
}

void OverallTable::SortByKey(int column, bool largest_first) {
  // Cells of columns 1 to 8 are cells[0] to cells[7].
  enum : std::size_t { kKills, kDeaths, kRatio, kTaken, kCaptured };
  std::vector<std::int64_t> keys;
  keys.reserve(rows_.size());
  for (const OverallRow& row : rows_) {
    const std::string& cell = row.cells[static_cast<std::size_t>(column - 1)];
    std::int64_t key = 0;
    if (cell == "perfect") {
      key = row.cells[kKills] != "0" ? std::numeric_limits<std::int32_t>::max() : 0;
    } else {
      key = Thousandths(cell);
    }
    switch (column - 1) {
      case kKills:
        key -= Whole(row.cells[kDeaths]);
        break;
      case kDeaths:
        key -= Whole(row.cells[kKills]);
        break;
      case kRatio:
        key -= Whole(row.cells[kDeaths]);
        break;
      case kTaken:
        key += Whole(row.cells[kCaptured]);
        break;
      case kCaptured:
        key += Whole(row.cells[kTaken]);
        break;
      default:
        break;
    }
    keys.push_back(key);
  }
  std::vector<OverallRow> sorted;
  sorted.reserve(rows_.size());
  for (const int row : SelectionSortOrder(keys, largest_first)) {
    sorted.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
  }
  rows_ = std::move(sorted);
}

}  // namespace mrv
