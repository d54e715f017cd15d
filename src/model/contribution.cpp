#include "model/contribution.h"

#include <algorithm>
#include <span>
#include <vector>

#include "model/text.h"

namespace mrv {

namespace {

void AddEach(std::span<std::int32_t> total, std::span<const std::int32_t> part, int sign = 1) {
  const std::size_t n = std::min(total.size(), part.size());
  for (std::size_t i = 0; i < n; ++i) {
    total[i] = SaturatingAdd(total[i], sign * static_cast<std::int64_t>(part[i]));
  }
}

void AddScalar(std::int32_t& total, std::int32_t part, int sign) {
  total = SaturatingAdd(total, sign * static_cast<std::int64_t>(part));
}

void AddSigned(StatsRecord& total, const StatsRecord& part, int sign) {
  AddEach(total.hits, part.hits, sign);
  AddEach(total.hits_taken, part.hits_taken, sign);
  AddEach(total.killing_hits, part.killing_hits, sign);
  AddEach(total.last_hits_taken, part.last_hits_taken, sign);
  AddEach(total.kills, part.kills, sign);
  AddEach(total.deaths, part.deaths, sign);
  AddScalar(total.caps, part.caps, sign);
  AddScalar(total.rets, part.rets, sign);
  AddScalar(total.carrier_kills, part.carrier_kills, sign);
  AddScalar(total.flags_taken, part.flags_taken, sign);
  AddScalar(total.time, part.time, sign);
}

}  // namespace

bool MapContributes(const MapRecord& map) {
  // A negative duration only comes from a damaged file; it is no playing time.
  return map.duration > 0 && NickIndex(map, map.own_nick) >= 0;
}

bool AddMapContribution(const MapRecord& map, StatsRecord& summary) {
  if (!MapContributes(map)) return false;
  const int own = NickIndex(map, map.own_nick);
  const auto o = static_cast<std::size_t>(own);
  AddEach(summary.hits, map.hits);
  AddEach(summary.hits_taken, map.hits_taken);
  AddEach(summary.killing_hits, map.killing_hits);
  AddEach(summary.last_hits_taken, map.last_hits_taken);
  summary.caps = SaturatingAdd(summary.caps, map.caps[o]);
  summary.rets = SaturatingAdd(summary.rets, map.rets[o]);
  summary.carrier_kills = SaturatingAdd(summary.carrier_kills, map.carrier_kills[o]);
  summary.flags_taken = SaturatingAdd(summary.flags_taken, map.flags_taken[o]);
  summary.time = SaturatingAdd(summary.time, map.duration);

  const int weapons = std::min({map.weapon_count, static_cast<int>(summary.kills.size()),
                                static_cast<int>(summary.deaths.size())});
  std::vector<std::int64_t> kills(static_cast<std::size_t>(weapons), 0);
  std::vector<std::int64_t> deaths(kills.size(), 0);
  for (const KillTable::Cell& cell : map.kill_table().cells()) {
    const int w = cell.weapon();
    if (w >= weapons) continue;
    // A suicide is a death, never a kill.
    if (cell.killer() == own && cell.victim() != own)
      kills[static_cast<std::size_t>(w)] += cell.count;
    if (cell.victim() == own) deaths[static_cast<std::size_t>(w)] += cell.count;
  }
  for (std::size_t w = 0; w < kills.size(); ++w) {
    summary.kills[w] = SaturatingAdd(summary.kills[w], kills[w]);
    summary.deaths[w] = SaturatingAdd(summary.deaths[w], deaths[w]);
  }
  return true;
}

void AddStatsRecord(StatsRecord& total, const StatsRecord& part) {
  AddSigned(total, part, 1);
}

void SubtractStatsRecord(StatsRecord& total, const StatsRecord& part) {
  AddSigned(total, part, -1);
}

}  // namespace mrv
