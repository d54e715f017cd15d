#include "cli/report_json.h"

#include "cli/json_writer.h"
#include "views/player_stats.h"

namespace mrv::cli {

namespace {

void WriteWeapons(JsonWriter& json, const std::vector<WeaponCount>& counts) {
  json.BeginObject();
  for (const auto& c : counts) {
    json.Key(c.weapon);
    json.Number(c.count);
  }
  json.EndObject();
}

void WriteLocations(JsonWriter& json, const std::array<std::int64_t, kHitLocationCount>& counts) {
  json.BeginObject();
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    json.Key(HitLocations[i]);
    json.Number(counts[i]);
  }
  json.EndObject();
}

void WriteTeam(JsonWriter& json, std::int64_t caps, std::int64_t rets, std::int64_t taken) {
  json.BeginObject();
  json.Key("caps");
  json.Number(caps);
  json.Key("rets");
  json.Number(rets);
  json.Key("flags_taken");
  json.Number(taken);
  json.EndObject();
}

void WriteSection(JsonWriter& json, const Section& s, bool with_time) {
  json.BeginObject();
  json.Key("name");
  json.String(s.title);
  json.Key("own_nick");
  if (s.own_nick) {
    json.String(*s.own_nick);
  } else {
    json.Null();
  }
  if (with_time) {
    json.Key("seconds");
    json.Number(s.seconds);
    json.Key("own_kills");
    json.Number(s.own_kills);
    json.Key("own_deaths");
    json.Number(s.own_deaths);
  }
  json.Key("players");
  json.BeginArray();
  for (const auto& p : s.players) {
    json.BeginObject();
    json.Key("nick");
    json.String(p.nick);
    json.Key("team");
    json.String(TeamName(p.team));
    json.Key("kills");
    json.Number(p.kills);
    json.Key("deaths");
    json.Number(p.deaths);
    json.Key("kd");
    json.String(KillDeathText(p.kills, p.deaths));
    json.Key("caps");
    json.Number(p.caps);
    json.Key("rets");
    json.Number(p.rets);
    json.Key("flags_taken");
    json.Number(p.ft);
    json.Key("flag_carriers_killed");
    json.Number(p.fck);
    json.Key("kills_by_weapon");
    WriteWeapons(json, p.kills_by_weapon);
    json.Key("deaths_by_weapon");
    WriteWeapons(json, p.deaths_by_weapon);
    json.EndObject();
  }
  json.EndArray();
  json.Key("teams");
  json.BeginObject();
  json.Key("blue");
  WriteTeam(json, s.blue_caps, s.blue_rets, s.blue_ft);
  json.Key("red");
  WriteTeam(json, s.red_caps, s.red_rets, s.red_ft);
  json.EndObject();
  json.Key("own_hits");
  json.BeginObject();
  json.Key("given");
  WriteLocations(json, s.hits.given);
  json.Key("taken");
  WriteLocations(json, s.hits.taken);
  json.Key("killing_hit");
  WriteLocations(json, s.hits.kills);
  json.Key("last_hit_taken");
  WriteLocations(json, s.hits.deaths);
  json.EndObject();
  json.EndObject();
}

}  // namespace

void PrintReportJson(std::ostream& out, const Report& report, bool with_time) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("game");
  json.String(report.game_name);
  json.Key("maps");
  json.BeginArray();
  for (const auto& map : report.maps) WriteSection(json, map, with_time);
  json.EndArray();
  json.Key("all_maps");
  WriteSection(json, report.all_maps, with_time);
  json.EndObject();
  out << "\n";
}

}  // namespace mrv::cli
