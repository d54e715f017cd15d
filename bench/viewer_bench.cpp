// The stats viewer's speed on two long games, with kills spread over the whole weapon
// table (rifles often, grenades and falls now and then, the hidden causes rarely), flag
// events, hits and the own player's time on every map, the players drawn from a pool of
// regulars and passers-by:
// - 500 maps of 64 players each (a crowded server, night after night);
// - 20,000 maps of 16 players each (years of evenings), whose figures print with the
//   prefix "many_maps_".
// Times, with a plain clock, the viewer's actions as a click runs them:
//   open_game_ms            opening the game (each map's nicknames read once, the first refresh)
//   refresh_overview_ms     a click on "all maps": RefreshOverview with the overall fill and
//                           re-sort
//   map_click_ms            a click on one map
//   overall_column_click_ms a click on an overall column, every column in turn
//   player_select_ms        a left click on a player
//   html_page_ms            the HTML report's page of what the viewer shows (no files)
//   html_export_ms          the whole export: the eight pictures and the page, written
//                           to a scratch folder (each file flushed to disk)
// and prints each as "NAME_ms MEDIAN" (the many-map game: opening, the refresh, a map
// click). Runs offscreen; no display needed.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "files/profile_store.h"
#include "files/settings.h"
#include "views/html_export.h"
#include "views/stats_viewer.h"

namespace {

struct GameShape {
  int maps;
  int players_per_map;
  int pool_size;
};

constexpr GameShape kCrowded = {500, 64, 400};
constexpr GameShape kManyMaps = {20000, 16, 2000};
constexpr int kKillsPerPlayer = 18;

// How often each weapon kills, by code: the rifles and pistols of a public server
// often, the rest now and then, the hidden causes (codes 253 to 255) rarely.
int WeaponWeight(char code) {
  const std::string_view common = "oprqsmjkclu";  // LR300, G36, M4, AK103, Negev, P90, ...
  const auto byte = static_cast<unsigned char>(code);
  if (byte >= 253) return 1;
  if (common.find(code) != std::string_view::npos) return 40;
  return 6;
}

mrv::StatsStore BuildStore(const mrv::WeaponTable& weapons, const GameShape& shape) {
  const int kMaps = shape.maps;
  const int kPlayersPerMap = shape.players_per_map;
  const int kPoolSize = shape.pool_size;
  std::mt19937 random(2024);
  std::vector<std::string> pool;
  for (int i = 0; i < kPoolSize; ++i) {
    // Regulars first; some come back with their name in other letter cases.
    pool.push_back((i % 7 == 0 ? "[FU]" : "") + std::string(i % 3 == 0 ? "Sn" : "sn") +
                   std::to_string(i) + (i % 5 == 0 ? "^7" : ""));
  }
  std::vector<int> weights;
  for (int w = 0; w < weapons.size(); ++w) weights.push_back(WeaponWeight(weapons.code(w)));
  std::discrete_distribution<int> weapon(weights.begin(), weights.end());

  mrv::StatsStore store(weapons.size());
  static const char* const kNames[] = {"ut4_abbey",    "ut4_algiers", "ut4_uptown", "ut4_casa",
                                       "ut4_turnpike", "ut4_tombs",   "ut4_austria"};
  for (int m = 0; m < kMaps; ++m) {
    mrv::MapRecord& map = mrv::NewMap(store, kNames[m % 7]);
    std::vector<std::string> nicks = {"Morv"};
    std::vector<int> picks(kPoolSize);
    for (int i = 0; i < kPoolSize; ++i) picks[static_cast<std::size_t>(i)] = i;
    // Regulars are likelier: a skewed shuffle keeps low numbers near the front.
    std::shuffle(picks.begin(), picks.end(), random);
    std::partial_sort(
        picks.begin(), picks.begin() + kPlayersPerMap * 2, picks.end(),
        [&](int a, int b) { return a * (1 + random() % 4) < b * (1 + random() % 4); });
    for (int i = 0; static_cast<int>(nicks.size()) < kPlayersPerMap; ++i) {
      nicks.push_back(pool[static_cast<std::size_t>(picks[static_cast<std::size_t>(i)])]);
    }
    mrv::AddNicks(map, nicks, 0);
    for (int p = 0; p < kPlayersPerMap; ++p) {
      map.teams[static_cast<std::size_t>(p)] =
          static_cast<std::uint8_t>(random() % 10 == 0 ? 0 : 1 + p % 2);
      map.caps[static_cast<std::size_t>(p)] = static_cast<std::int32_t>(random() % 3);
      map.flags_taken[static_cast<std::size_t>(p)] =
          map.caps[static_cast<std::size_t>(p)] + static_cast<std::int32_t>(random() % 4);
      map.rets[static_cast<std::size_t>(p)] = static_cast<std::int32_t>(random() % 3);
      map.carrier_kills[static_cast<std::size_t>(p)] = static_cast<std::int32_t>(random() % 3);
    }
    for (int k = 0; k < kPlayersPerMap * kKillsPerPlayer; ++k) {
      const int killer = static_cast<int>(random() % kPlayersPerMap);
      const int victim = random() % 30 == 0 ? killer : static_cast<int>(random() % kPlayersPerMap);
      map.AddKill(killer, weapon(random), victim);
    }
    for (auto* counts : {&map.hits, &map.hits_taken, &map.killing_hits, &map.last_hits_taken}) {
      for (auto& count : *counts) count = static_cast<std::int32_t>(random() % 12);
    }
    map.own_nick = "Morv";
    map.own_kills =
        mrv::KillsOf(map, 0) > INT32_MAX ? 0 : static_cast<std::int32_t>(mrv::KillsOf(map, 0));
    map.own_deaths = static_cast<std::int32_t>(random() % 20);
    map.duration = static_cast<std::int32_t>(600 + random() % 900);
    map.blue_caps = static_cast<std::int32_t>(random() % 5);
    map.red_caps = static_cast<std::int32_t>(random() % 5);
  }
  return store;
}

double Milliseconds(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

void Print(const std::string& name, const std::vector<double>& samples) {
  std::printf("%s %.2f\n", name.c_str(), Median(samples));
}

// Opening the game, refreshing all maps and clicking single maps, each printed with the
// prefix; the viewer is left open on all maps.
void MeasureOpenAndClicks(const std::string& prefix, mrv::StatsViewer& viewer,
                          const mrv::ViewerContext& context) {
  std::vector<double> open;
  for (int run = 0; run < 5; ++run) {
    mrv::StatsViewer opened(context);
    open.push_back(Milliseconds([&] { opened.OpenGame(true); }));
  }
  viewer.OpenGame(true);
  std::vector<double> refresh;
  for (int run = 0; run < 21; ++run) {
    refresh.push_back(Milliseconds([&] { viewer.ClickMap(0, false); }));
  }
  std::vector<double> map_click;
  const int maps = static_cast<int>(viewer.maps().size()) - 1;
  for (int run = 0; run < 21; ++run) {
    map_click.push_back(Milliseconds([&] { viewer.ClickMap(1 + run * 997 % maps, false); }));
  }
  viewer.ClickMap(0, false);
  Print(prefix + "open_game_ms", open);
  Print(prefix + "refresh_overview_ms", refresh);
  Print(prefix + "map_click_ms", map_click);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  mrv::SilentPrompt prompt;
  mrv::WeaponTable weapons;
  const std::filesystem::path data = std::filesystem::path(MORVANE_SOURCE_DIR) / "data";
  if (!mrv::ReadWeaponSettings(data, weapons, prompt)) return 1;
  mrv::ProfileStore profile_store(std::filesystem::temp_directory_path(), weapons.size());
  mrv::LoadedProfile loaded;

  {
    mrv::StatsStore store = BuildStore(weapons, kManyMaps);
    const mrv::ViewerContext context{store,  weapons,       std::filesystem::temp_directory_path(),
                                     prompt, profile_store, loaded};
    mrv::StatsViewer viewer(context);
    std::printf("store: %d maps, %d players each, %d weapons\n", kManyMaps.maps,
                kManyMaps.players_per_map, weapons.size());
    MeasureOpenAndClicks("many_maps_", viewer, context);
  }

  mrv::StatsStore store = BuildStore(weapons, kCrowded);
  const mrv::ViewerContext context{store,  weapons,       std::filesystem::temp_directory_path(),
                                   prompt, profile_store, loaded};
  mrv::StatsViewer viewer(context);
  std::printf("store: %d maps, %d players each, %d weapons\n", kCrowded.maps,
              kCrowded.players_per_map, weapons.size());
  MeasureOpenAndClicks("", viewer, context);
  std::vector<double> column;
  for (int run = 0; run < 45; ++run) {
    column.push_back(
        Milliseconds([&] { viewer.ClickOverallColumn(run % mrv::kOverallColumnCount); }));
  }
  std::vector<double> select;
  const int players = static_cast<int>(viewer.players().size());
  for (int run = 0; run < 45; ++run) {
    select.push_back(Milliseconds([&] { viewer.ClickPlayer(run * 7 % players, false); }));
  }
  std::vector<double> page;
  for (int run = 0; run < 11; ++run) {
    page.push_back(
        Milliseconds([&] { mrv::HtmlReportText(mrv::ReportSourceOf(viewer, loaded), {}); }));
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "morvane-export-bench";
  std::filesystem::create_directories(folder);
  std::vector<double> exported;
  for (int run = 0; run < 11; ++run) {
    exported.push_back(Milliseconds([&] {
      if (!mrv::ExportHtmlReport(viewer, loaded, {}, folder / "report.html").written) std::abort();
    }));
  }
  std::filesystem::remove_all(folder);
  std::printf("%d players in all\n", players);
  Print("overall_column_click_ms", column);
  Print("player_select_ms", select);
  Print("html_page_ms", page);
  Print("html_export_ms", exported);
  return 0;
}
