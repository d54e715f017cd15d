#include "cli/report_json.h"

#include <string>

#include "cli/json_writer.h"
#include "model/body.h"

namespace mrv::cli {

namespace {

void WriteWeapons(JsonWriter& json, const std::vector<WeaponCount>& counts) {
  json.BeginObject();
  for (const auto& c : counts) {
    json.Field(c.weapon, c.count);
  }
  json.EndObject();
}

void WriteLocations(JsonWriter& json, const std::array<std::int64_t, kHitLocationCount>& counts) {
  json.BeginObject();
  for (std::size_t i = 0; i < kHitLocationCount; ++i) {
    json.Field(HitLocations[i], counts[i]);
  }
  json.EndObject();
}

void WriteTeam(JsonWriter& json, std::int64_t caps, std::int64_t rets, std::int64_t taken) {
  json.BeginObject();
  json.Field("caps", caps);
  json.Field("rets", rets);
  json.Field("flags_taken", taken);
  json.EndObject();
}

void WriteSection(JsonWriter& json, const Section& s, bool with_time) {
  json.BeginObject();
  json.Field("name", s.title);
  json.Key("own_nick");
  if (s.own_nick) {
    json.String(*s.own_nick);
  } else {
    json.Null();
  }
  if (with_time) {
    json.Field("seconds", s.seconds);
    json.Field("own_kills", s.own_kills);
    json.Field("own_deaths", s.own_deaths);
  }
  json.Key("players");
  json.BeginArray();
  for (const auto& p : s.players) {
    json.BeginObject();
    json.Field("nick", p.nick);
    json.Field("team", TeamName(p.team));
    json.Field("kills", p.kills);
    json.Field("deaths", p.deaths);
    json.Field("kd", p.kill_death);
    json.Field("caps", p.caps);
    json.Field("rets", p.rets);
    json.Field("flags_taken", p.flags_taken);
    json.Field("flag_carriers_killed", p.carrier_kills);
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
  WriteTeam(json, s.blue_caps, s.blue_rets, s.blue_flags_taken);
  json.Key("red");
  WriteTeam(json, s.red_caps, s.red_rets, s.red_flags_taken);
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
  // Written in blocks of many sections, as the text report is.
  constexpr std::size_t kBlock = std::size_t{64} << 10;
  std::string text;
  const auto write = [&out, &text] {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  };
  JsonWriter json(text);
  json.BeginObject();
  json.Field("game", report.game_name);
  json.Key("maps");
  json.BeginArray();
  WriteSections(
      report,
      [&](const Section& map) {
        WriteSection(json, map, with_time);
        if (text.size() >= kBlock) write();
      },
      [&](const Section& all_maps) {
        json.EndArray();
        json.Key("all_maps");
        WriteSection(json, all_maps, with_time);
      });
  json.EndObject();
  text += '\n';
  write();
}

}  // namespace mrv::cli
