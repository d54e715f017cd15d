// morvane-cli profile: create, list, show and edit player profiles, and add saved
// games to them or remove games.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>

#include "cli/arguments.h"
#include "cli/json_writer.h"
#include "cli/setup.h"
#include "files/profile_add_game.h"
#include "files/profile_nicknames.h"
#include "files/path_text.h"
#include "files/profile_store.h"
#include "files/saved_game.h"
#include "model/contribution.h"
#include "model/text.h"
#include "views/progress_series.h"

namespace mrv::cli {

namespace {

struct Context {
  const Environment& env;
  const ParsedArguments& args;
  const WeaponTable& weapons;
  ProfileStore& profile_store;
  ConsolePrompt& prompt;
};

int Fail(const std::string& message) {
  PrintError(PlainLines(message));
  return kExitFailure;
}

int Usage(const std::string& message) {
  PrintError(message);
  return kExitUsage;
}

// The file of the named profile; empty after saying why there is none.
std::optional<std::string> ProfileFile(const Context& context, const std::string& name,
                                       bool must_exist) {
  if (!IsValidProfileName(name)) {
    PrintError("a profile name holds none of \\ / * : ? | < > \" and is not empty: " + name);
    return std::nullopt;
  }
  std::string file = name + ".mrv";
  std::error_code error;
  const bool exists = std::filesystem::exists(context.env.data_dir / PathFromUtf8(file), error);
  if (must_exist && !exists) {
    PrintError("no profile named " + name);
    return std::nullopt;
  }
  if (!must_exist && exists) {
    PrintError("a profile named " + name + " exists already");
    return std::nullopt;
  }
  return file;
}

// Each --notes value is one or more note lines.
std::vector<std::string> NoteLines(const ParsedArguments& args) {
  std::vector<std::string> notes;
  for (const auto& text : args.All("--notes")) {
    std::string rest = PlainLines(text);
    std::string line;
    while (!rest.empty()) {
      SplitToken(rest, '\n', line);
      notes.push_back(line);
    }
  }
  return notes;
}

int Create(const Context& context) {
  const auto& positionals = context.args.positionals;
  const auto nick = context.args.Last("--nick");
  if (positionals.size() != 1 || !nick || nick->empty()) {
    return Usage("profile create needs a NAME and --nick NICK");
  }
  const auto file = ProfileFile(context, positionals[0], false);
  if (!file) return kExitFailure;
  if (!context.profile_store.CreateProfileFile(*file, *nick, NoteLines(context.args))) {
    return Fail(context.profile_store.LastError());
  }
  std::printf("created profile %s\n", positionals[0].c_str());
  return kExitOk;
}

int List(const Context& context) {
  if (!context.args.positionals.empty()) return Usage("profile list takes no arguments");
  const auto files = context.profile_store.FillProfileList();
  for (std::size_t i = 1; i < files.size(); ++i) {
    const std::string name = TerminalText(files[i].substr(0, files[i].size() - 4));
    std::vector<std::string> nicknames;
    std::vector<std::string> notes;
    ProfileInfo info;
    if (context.profile_store.ReadProfileInfo(files[i], nicknames, notes, info)) {
      std::printf("%s\t%d games\t%s\n", name.c_str(), info.games, FormatSeconds(info.time).c_str());
    } else {
      std::printf("%s\t%s\n", name.c_str(), context.profile_store.LastError().c_str());
    }
  }
  return kExitOk;
}

struct ProfileView {
  std::string name;
  std::vector<std::string> nicknames;
  std::vector<std::string> notes;
  ProfileInfo info;
  std::vector<std::string> games;
  StatsRecord totals;
  std::vector<GameFigures> figures;  // --json only: each game's, the newest first
};

void PrintLocations(const char* title, const LocationCounts& counts) {
  std::printf("%s:", title);
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] != 0) std::printf(" %s %d;", std::string(HitLocations[i]).c_str(), counts[i]);
  }
  std::printf("\n");
}

// Names, notes and game names may hold anything: each goes through TerminalText.
void PrintText(const ProfileView& view, const WeaponTable& weapons) {
  const auto& totals = view.totals;
  const auto print = [](const char* label, const std::string& text) {
    std::printf("%s: %s\n", label, TerminalText(text).c_str());
  };
  print("Profile", view.name);
  for (const auto& nick : view.nicknames) print("Nickname", nick);
  for (const auto& note : view.notes) print("Note", note);
  std::printf("Games: %d\n", view.info.games);
  if (!view.games.empty()) {
    print("First game", view.info.first_game);
    print("Last game", view.info.last_game);
  }
  std::printf("Time: %s\n", FormatSeconds(totals.time).c_str());
  std::printf("Flags: %d captured, %d returned, %d taken, %d carriers killed\n", totals.caps,
              totals.rets, totals.flags_taken, totals.carrier_kills);
  for (int w = 0; w < weapons.size(); ++w) {
    const auto k = totals.kills[static_cast<std::size_t>(w)];
    const auto d = totals.deaths[static_cast<std::size_t>(w)];
    if (k != 0 || d != 0) {
      std::printf("Weapon %s: %d kills, %d deaths\n", std::string(weapons.name(w)).c_str(), k, d);
    }
  }
  PrintLocations("Hits", totals.hits);
  PrintLocations("Hits taken", totals.hits_taken);
  PrintLocations("Killing hits", totals.killing_hits);
  PrintLocations("Deadly hits taken", totals.last_hits_taken);
  for (std::size_t i = 0; i < view.games.size(); ++i) {
    print(("Game " + std::to_string(i + 1)).c_str(), view.games[i]);
  }
}

void JsonStrings(JsonWriter& json, const char* key, const std::vector<std::string>& texts) {
  json.Key(key);
  json.BeginArray();
  for (const auto& text : texts) json.String(text);
  json.EndArray();
}

void JsonLocations(JsonWriter& json, const char* key, const LocationCounts& counts) {
  json.Key(key);
  json.BeginObject();
  for (std::size_t i = 0; i < counts.size(); ++i) {
    json.Field(HitLocations[i], counts[i]);
  }
  json.EndObject();
}

void JsonWeapons(JsonWriter& json, const char* key, const std::vector<std::int32_t>& counts,
                 const WeaponTable& weapons) {
  json.Key(key);
  json.BeginObject();
  for (int w = 0; w < weapons.size(); ++w) {
    json.Field(weapons.name(w), counts[static_cast<std::size_t>(w)]);
  }
  json.EndObject();
}

// Each game with its figures and the measures of its progress, in the order the games
// were added; "number" is the one `profile remove` and `export --games` take.
void JsonProgress(JsonWriter& json, const std::vector<GameFigures>& figures) {
  std::vector<const GameFigures*> oldest_first;
  for (auto game = figures.rbegin(); game != figures.rend(); ++game) oldest_first.push_back(&*game);
  const Progress progress = ProgressOf(oldest_first);
  const auto line = [&progress](ProgressChartId chart, std::size_t line) -> const ProgressValues& {
    return progress.chart(chart).lines[line].values;
  };
  json.Key("progress");
  json.BeginArray();
  for (std::size_t i = 0; i < oldest_first.size(); ++i) {
    const GameFigures& game = *oldest_first[i];
    json.BeginObject();
    json.Field("number", static_cast<std::int64_t>(figures.size() - i));
    json.Field("name", game.name);
    json.Key("date");
    if (const auto date = GameDate(game.name)) {
      json.String(*date);
    } else {
      json.Null();
    }
    const std::pair<const char*, std::int64_t> counts[] = {
        {"time", game.time},        {"kills", game.kills}, {"deaths", game.deaths},
        {"caps", game.caps},        {"rets", game.rets},   {"ft", game.flags_taken},
        {"fck", game.carrier_kills}};
    for (const auto& [key, value] : counts) json.Field(key, value);
    JsonLocations(json, "hits", game.hits);
    json.DecimalField("kills_per_minute", line(ProgressChartId::kKillsPerMinute, 0)[i]);
    json.DecimalField("kills_per_minute_average", line(ProgressChartId::kKillsPerMinute, 1)[i]);
    json.DecimalField("kd_ratio", line(ProgressChartId::kKillDeathRatio, 0)[i]);
    json.DecimalField("kd_ratio_average", line(ProgressChartId::kKillDeathRatio, 1)[i]);
    json.DecimalField("headshot_share", line(ProgressChartId::kHeadshotShare, 0)[i]);
    json.DecimalField("hits_per_minute", line(ProgressChartId::kHitsPerMinute, 0)[i]);
    json.EndObject();
  }
  json.EndArray();
}

void PrintJson(const ProfileView& view, const WeaponTable& weapons) {
  const auto& totals = view.totals;
  std::string text;
  JsonWriter json(text);
  json.BeginObject();
  json.Field("name", view.name);
  JsonStrings(json, "nicknames", view.nicknames);
  JsonStrings(json, "notes", view.notes);
  JsonStrings(json, "games", view.games);
  json.Field("first_game", view.info.first_game);
  json.Field("last_game", view.info.last_game);
  json.Key("totals");
  json.BeginObject();
  const std::pair<const char*, std::int32_t> counts[] = {{"time", totals.time},
                                                         {"caps", totals.caps},
                                                         {"rets", totals.rets},
                                                         {"ft", totals.flags_taken},
                                                         {"fck", totals.carrier_kills}};
  for (const auto& [key, value] : counts) {
    json.Field(key, value);
  }
  JsonWeapons(json, "kills", totals.kills, weapons);
  JsonWeapons(json, "deaths", totals.deaths, weapons);
  JsonLocations(json, "hits", totals.hits);
  JsonLocations(json, "hitstaken", totals.hits_taken);
  JsonLocations(json, "deathhits", totals.killing_hits);
  JsonLocations(json, "deathhitstaken", totals.last_hits_taken);
  json.EndObject();
  JsonProgress(json, view.figures);
  json.EndObject();
  std::cout << text << '\n';
}

// Opens the named profile in the profile_store; false after printing why not.
bool Load(const Context& context, const std::string& name, LoadedProfile& loaded) {
  const auto file = ProfileFile(context, name, true);
  if (!file) return false;
  if (LoadProfile(context.profile_store, *file, loaded)) return true;
  Fail(context.profile_store.LastError());
  return false;
}

int Show(const Context& context) {
  if (context.args.positionals.size() != 1) return Usage("profile show needs a NAME");
  ProfileView view;
  view.name = context.args.positionals[0];
  LoadedProfile loaded;
  if (!Load(context, view.name, loaded)) return kExitFailure;
  auto& profile_store = context.profile_store;
  if (!profile_store.ReadProfileInfo(loaded->name, view.nicknames, view.notes, view.info) ||
      !profile_store.ListGames(view.games) || !profile_store.ReadTotals(view.totals)) {
    return Fail(profile_store.LastError());
  }
  if (context.args.Has("--json")) {
    if (!profile_store.ReadGameFigures(view.figures)) return Fail(profile_store.LastError());
    PrintJson(view, context.weapons);
  } else {
    PrintText(view, context.weapons);
  }
  return kExitOk;
}

int Add(const Context& context) {
  const auto& positionals = context.args.positionals;
  if (positionals.size() != 2) return Usage("profile add needs a NAME and a saved GAME.stg");
  LoadedProfile loaded;
  if (!Load(context, positionals[0], loaded)) return kExitFailure;
  StatsStore store(context.weapons.size());
  std::string game_id;
  if (!LoadGame(store, PathFromUtf8(positionals[1]), game_id, context.prompt)) {
    if (context.prompt.shown() == 0) PrintError("no game in " + positionals[1]);
    return kExitFailure;
  }
  if (AddGameToProfile(store, game_id, context.profile_store, context.prompt)) return kExitOk;
  // When every map was skipped, only the skips were told.
  if (std::none_of(store.maps.begin(), store.maps.end(),
                   [](const auto& map) { return MapContributes(*map); })) {
    PrintError("nothing added");
  }
  return kExitFailure;
}

// A game to remove as the user names it: "2", or "2=NAME" to remove game 2 only while
// it is the game of that name.
struct WantedGame {
  std::int32_t number = 0;
  std::optional<std::string> name;
};

std::optional<WantedGame> ParseWantedGame(const std::string& text) {
  const std::size_t equals = text.find('=');
  const auto number = ParseInt32(std::string_view(text).substr(0, equals));
  if (!number || *number < 1) return std::nullopt;
  WantedGame wanted{*number, std::nullopt};
  if (equals != std::string::npos) wanted.name = text.substr(equals + 1);
  return wanted;
}

int Remove(const Context& context) {
  const auto& positionals = context.args.positionals;
  if (positionals.size() < 2) return Usage("profile remove needs a NAME and game NUMBERs");
  std::map<std::int32_t, std::optional<std::string>> wanted;
  for (std::size_t i = 1; i < positionals.size(); ++i) {
    const auto game = ParseWantedGame(positionals[i]);
    if (!game) return Usage("not a game number: " + positionals[i]);
    wanted[game->number] = game->name;
  }
  LoadedProfile loaded;
  if (!Load(context, positionals[0], loaded)) return kExitFailure;
  auto& profile_store = context.profile_store;
  // The games checked here are the ones removed: the profile stays locked.
  const ProfileLockScope lock(profile_store);
  std::vector<std::string> games;
  if (!lock.locked() || !profile_store.ListGames(games)) return Fail(profile_store.LastError());
  std::vector<std::int32_t> numbers;
  for (const auto& [number, name] : wanted) {
    if (number > static_cast<std::int64_t>(games.size())) {
      return Fail("profile " + positionals[0] + " has no game " + std::to_string(number));
    }
    const std::string& held = games[static_cast<std::size_t>(number - 1)];
    if (name && *name != held) {
      return Fail("game " + std::to_string(number) + " of profile " + positionals[0] + " is " +
                  TerminalText(held) + ", not " + TerminalText(*name) + ": nothing was removed");
    }
    numbers.push_back(number);
  }
  if (!profile_store.RemoveGames(numbers, games)) return Fail(profile_store.LastError());
  for (const std::int32_t number : numbers) {
    std::printf("removed game %d: %s\n", number,
                TerminalText(games[static_cast<std::size_t>(number - 1)]).c_str());
  }
  const std::size_t left = games.size() - numbers.size();
  std::printf("%zu game%s left\n", left, left == 1 ? "" : "s");
  return kExitOk;
}

// Applies the edit to the list; false after printing why it cannot be made.
bool EditNicknames(std::vector<std::string>& nicknames, const std::string& action,
                   const std::string& nick) {
  std::string refusal;
  const auto at = std::find(nicknames.begin(), nicknames.end(), nick);
  const auto index = static_cast<std::size_t>(at - nicknames.begin());
  if (action == "add") {
    refusal = AddNickname(nicknames, nick);
  } else if (at == nicknames.end()) {
    refusal = nick + " is not one of the profile's nicknames";
  } else if (action == "remove") {
    refusal = RemoveNickname(nicknames, index);
  } else {
    MoveNickname(nicknames, index, action == "up");
  }
  if (!refusal.empty()) Fail(refusal);
  return refusal.empty();
}

int Nick(const Context& context) {
  const auto& positionals = context.args.positionals;
  static const std::set<std::string> kActions = {"add", "remove", "up", "down"};
  if (positionals.size() != 3 || kActions.count(positionals[1]) == 0) {
    return Usage("profile nick needs a NAME, add, remove, up or down, and a NICK");
  }
  LoadedProfile loaded;
  if (!Load(context, positionals[0], loaded)) return kExitFailure;
  auto& profile_store = context.profile_store;
  // The nicknames edited here are the ones written back.
  const ProfileLockScope lock(profile_store);
  std::vector<std::string> nicknames;
  std::vector<std::string> notes;
  ProfileInfo info;
  if (!lock.locked() || !profile_store.ReadProfileInfo(loaded->name, nicknames, notes, info)) {
    return Fail(profile_store.LastError());
  }
  const auto before = nicknames;
  if (!EditNicknames(nicknames, positionals[1], positionals[2])) return kExitFailure;
  if (nicknames != before && !profile_store.SaveNotesAndNicknames(loaded->name, nicknames, notes)) {
    return Fail(profile_store.LastError());
  }
  return kExitOk;
}

struct Subcommand {
  const char* name;
  int (*run)(const Context&);
};

constexpr Subcommand kSubcommands[] = {{"create", Create}, {"list", List},     {"show", Show},
                                       {"add", Add},       {"remove", Remove}, {"nick", Nick}};

}  // namespace

int RunProfileCommand(const Environment& env, const Arguments& args) {
  const Subcommand* subcommand = nullptr;
  for (const auto& candidate : kSubcommands) {
    if (!args.empty() && args[0] == candidate.name) subcommand = &candidate;
  }
  if (subcommand == nullptr) {
    return Usage("profile needs one of create, list, show, add, remove or nick");
  }
  std::string error;
  const auto parsed = ParseArguments(Arguments(args.begin() + 1, args.end()), {"--nick", "--notes"},
                                     {"--json"}, error);
  if (!parsed) return Usage(error);
  ConsolePrompt prompt;
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  ProfileStore profile_store(env.data_dir, weapons->size());
  return subcommand->run({env, *parsed, *weapons, profile_store, prompt});
}

}  // namespace mrv::cli
