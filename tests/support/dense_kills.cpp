#include "support/dense_kills.h"

#include "capture/capture_session.h"
#include "capture/interpreter.h"
#include "capture/line_handling.h"
#include "capture/matching/console_line.h"
#include "files/saved_game.h"
#include "files/value_list.h"
#include "model/text.h"

namespace mrv::test {

std::int32_t& DenseKills::at(int killer, int weapon, int victim, int nicks) {
  const auto n = static_cast<std::size_t>(nicks);
  if (n > slots_) {
    // As the store grew its table: by half again, from room for 16.
    const std::size_t slots = std::max<std::size_t>({n, slots_ * 3 / 2, 16});
    std::vector<std::int32_t> grown(slots * weapons_ * slots, 0);
    for (std::size_t k = 0; k < slots_; ++k) {
      for (std::size_t w = 0; w < weapons_; ++w) {
        for (std::size_t v = 0; v < slots_; ++v) {
          grown[(k * weapons_ + w) * slots + v] = table_[Offset(k, w, v)];
        }
      }
    }
    table_ = std::move(grown);
    slots_ = slots;
  }
  return table_[Offset(static_cast<std::size_t>(killer), static_cast<std::size_t>(weapon),
                       static_cast<std::size_t>(victim))];
}

std::vector<std::string> DenseKills::Lines(int nicks) const {
  const auto n = static_cast<std::size_t>(nicks);
  std::vector<std::string> lines;
  std::vector<std::int32_t> row(n);
  for (std::size_t k = 0; k < n; ++k) {
    for (std::size_t w = 0; w < weapons_; ++w) {
      for (std::size_t v = 0; v < n; ++v)
        row[v] = k < slots_ && v < slots_ ? table_[Offset(k, w, v)] : 0;
      lines.push_back(IntsToText(row));
    }
  }
  return lines;
}

std::vector<std::vector<std::string>> KillLinesOf(std::string_view game_text, int weapon_count) {
  std::vector<std::string_view> lines;
  while (!game_text.empty()) {
    const std::size_t end = game_text.find("\r\n");
    lines.push_back(game_text.substr(0, end));
    game_text.remove_prefix(end == std::string_view::npos ? game_text.size() : end + 2);
  }
  std::vector<std::vector<std::string>> maps;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "[NICKS]") continue;
    std::size_t nicks = 0;
    while (i + 1 + nicks < lines.size() && lines[i + 1 + nicks] != "[ENICKS]") ++nicks;
    const std::size_t first = i + 2 + nicks;
    const std::size_t count = nicks * static_cast<std::size_t>(weapon_count);
    std::vector<std::string>& rows = maps.emplace_back();
    for (std::size_t r = first; r < first + count && r < lines.size(); ++r)
      rows.emplace_back(lines[r]);
    i = first + count - 1;
  }
  return maps;
}

namespace {

std::int64_t KillsCounted(const MapRecord& map) {
  std::int64_t total = 0;
  for (const KillTable::Cell& cell : map.kill_table().cells()) total += cell.count;
  return total;
}

}  // namespace

OracleRun RunWithOracle(std::string_view log, const WeaponTable& weapons,
                        const DeathTemplates& templates, const GameTexts& texts) {
  SystemClock clock;
  SilentSoundPlayer sound;
  SystemRandom random;
  SilentPrompt prompt;
  CancelToken cancel;
  StatsStore store(weapons.size());
  CaptureSession session(store, weapons, templates, {clock, sound, random, prompt, cancel}, texts);
  session.state.options.own_nicknames = {"Morv"};
  CorruptTemplateNotice notice(prompt);
  OracleRun run;
  std::vector<DenseKills> dense;
  BeginRun(session);
  while (!log.empty()) {
    const std::size_t end = log.find('\n');
    const std::string_view line = log.substr(0, end);
    log.remove_prefix(end == std::string_view::npos ? log.size() : end + 1);
    // Kills go to the current map, which a kill line never changes.
    const int before_map = store.size() - 1;
    const std::int64_t before = KillsCounted(store[before_map]);
    if (!HandleCaptureLine(session, line)) break;
    const MapRecord& map = store[store.size() - 1];
    if (store.size() - 1 != before_map || KillsCounted(map) == before) continue;
    const auto kill = MatchKill(templates, weapons, ConsoleLine(line), notice);
    const int victim = kill ? NickIndex(map, texts.Unwrapped(kill->victim)) : -1;
    const int killer = !kill || kill->killer == AbsentMark
                           ? victim
                           : NickIndex(map, texts.Unwrapped(kill->killer));
    if (KillsCounted(map) != before + 1 || victim < 0 || killer < 0) {
      run.consistent = false;
      break;
    }
    dense.resize(static_cast<std::size_t>(store.size()), DenseKills(weapons.size()));
    Bump(dense[static_cast<std::size_t>(before_map)].at(killer, kill->weapon, victim,
                                                        map.nick_count()));
  }
  SettleStore(session);
  run.game_text = GameFileText(store, "oracle").value_or("");
  dense.resize(static_cast<std::size_t>(store.size()), DenseKills(weapons.size()));
  for (int m = 0; m < store.size(); ++m) {
    run.kill_lines.push_back(dense[static_cast<std::size_t>(m)].Lines(store[m].nick_count()));
  }
  return run;
}

}  // namespace mrv::test
