#include "views/weapon_details.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "model/text.h"

namespace mrv {

namespace {

struct Opponent {
  const PlayerEntry* entry = nullptr;
  std::vector<std::int64_t> counts;  // per weapon of the table
  std::int64_t total = 0;
};

// Adds, for every map where both are found, what the player did to each opponent (kills
// mode) or each opponent did to him.
void CountOpponents(const DetailsSource& source, const std::string& nick, bool kills,
                    std::vector<Opponent>& opponents,
                    const std::unordered_map<std::string, std::size_t>& by_name) {
  const std::string folded = ToLowerAscii(nick);
  std::vector<Opponent*> opponent_of;  // per index of a map
  for (const MapFigures* figures : source.maps) {
    const int p = figures->Find(folded);
    if (p < 0) continue;
    const MapRecord& map = figures->map();
    const int weapon_count = std::min(map.weapon_count, source.weapons.size());
    opponent_of.assign(map.nicks.size(), nullptr);
    for (int v = 0; v < map.nick_count(); ++v) {
      if (!figures->IsFirst(v)) continue;
      const auto found = by_name.find(figures->folded(v));
      if (found != by_name.end())
        opponent_of[static_cast<std::size_t>(v)] = &opponents[found->second];
    }
    for (const KillTable::Cell& cell : map.kill_table().cells()) {
      if (cell.weapon() >= weapon_count || (kills ? cell.killer() : cell.victim()) != p) continue;
      Opponent* opponent =
          opponent_of[static_cast<std::size_t>(kills ? cell.victim() : cell.killer())];
      if (opponent == nullptr) continue;
      opponent->counts[static_cast<std::size_t>(cell.weapon())] += cell.count;
      opponent->total += cell.count;
    }
  }
}

// A count cell: always a number this window wrote.
std::int64_t CountOf(const std::string& cell) {
  std::int64_t count = 0;
  std::from_chars(cell.data(), cell.data() + cell.size(), count);
  return count;
}

}  // namespace

void WeaponDetails::Fill(const DetailsSource& source) {
  const int sorted = SortedColumn(columns_);
  const std::string sorted_caption =
      sorted < 0 ? std::string() : columns_[static_cast<std::size_t>(sorted)].caption;
  const SortArrow order =
      sorted < 0 ? SortArrow::kNone : columns_[static_cast<std::size_t>(sorted)].arrow;
  columns_.resize(1);
  columns_[0].arrow = SortArrow::kNone;
  columns_.push_back({"Total", 80});
  for (const std::string& weapon : weapons) columns_.push_back({weapon, 80});
  rows_.clear();
  selected_nickname_.clear();
  selected_row_ = -1;

  std::vector<const PlayerEntry*> walk;
  for (const PlayerEntry& entry : source.players) {
    if (!(kills && entry.nickname == nickname)) walk.push_back(&entry);
  }
  std::vector<Opponent> opponents(walk.size());
  std::unordered_map<std::string, std::size_t> by_name;
  for (std::size_t i = 0; i < walk.size(); ++i) {
    opponents[i].entry = walk[i];
    opponents[i].counts.assign(static_cast<std::size_t>(source.weapons.size()), 0);
    by_name.emplace(ToLowerAscii(walk[i]->nickname), i);
  }
  CountOpponents(source, nickname, kills, opponents, by_name);

  std::vector<int> columns_weapon;  // weapon index of each weapon column
  for (const std::string& weapon : weapons)
    columns_weapon.push_back(source.weapons.FindWeaponByName(weapon));
  for (const Opponent& opponent : opponents) {
    if (opponent.total == 0) continue;
    DetailsRow row{
        opponent.entry->nickname, opponent.entry->mark, {std::to_string(opponent.total)}};
    for (const int w : columns_weapon) {
      row.cells.push_back(std::to_string(w < 0 ? 0 : opponent.counts[static_cast<std::size_t>(w)]));
    }
    rows_.push_back(std::move(row));
  }

  const auto same = std::find_if(columns_.begin(), columns_.end(), [&](const ListColumn& column) {
    return column.caption == sorted_caption;
  });
  if (order == SortArrow::kNone || same == columns_.end()) {
    columns_[0].arrow = SortArrow::kUp;
    Sort(0, true);
  } else {
    same->arrow = order;
    Sort(static_cast<int>(same - columns_.begin()), order == SortArrow::kUp);
  }
}

void WeaponDetails::ClickColumn(int column) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  Sort(column, ClickOrder(columns_, column, column == 0));
}

void WeaponDetails::Sort(int column, bool ascending) {
  std::sort(rows_.begin(), rows_.end(), [](const DetailsRow& a, const DetailsRow& b) {
    return LessIgnoringCase(a.nickname, b.nickname);
  });
  if (column == 0) {
    if (!ascending) std::reverse(rows_.begin(), rows_.end());
  } else {
    std::vector<std::int64_t> keys;
    keys.reserve(rows_.size());
    for (const DetailsRow& row : rows_) {
      keys.push_back(CountOf(row.cells[static_cast<std::size_t>(column - 1)]));
    }
    std::vector<DetailsRow> sorted;
    sorted.reserve(rows_.size());
    for (const int row : SelectionSortOrder(keys, !ascending)) {
      sorted.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
    }
    rows_ = std::move(sorted);
  }
  if (selected_row_ >= 0) SelectNickname(selected_nickname_);
}

void WeaponDetails::SelectNickname(const std::string& nick) {
  selected_nickname_ = nick;
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [&](const DetailsRow& row) { return row.nickname == nick; });
  selected_row_ = found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

}  // namespace mrv
