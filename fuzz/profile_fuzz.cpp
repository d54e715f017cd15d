// Feeds arbitrary bytes to every profile reader (the games' figures must name the games
// as the games list does), then adds and removes games and rewrites the notes on a
// copy: nothing may crash, and a failed rewrite must leave the file exactly as it was.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/profile_add_game.h"
#include "files/profile_store.h"
#include "fuzz_support.h"

namespace {

constexpr int kWeapons = 3;

const std::filesystem::path& Folder() {
  static const mrv::fuzz::ScratchFolder folder("profile");
  return folder.path();
}

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One map on which the own player played and scored.
mrv::StatsStore CapturedGame() {
  mrv::StatsStore store(kWeapons);
  mrv::MapRecord& map = mrv::NewMap(store, "ut4_abbey");
  mrv::AddNick(map, "Joe", 1);
  mrv::AddNick(map, "Ann", 2);
  map.own_nick = "Joe";
  map.duration = 120;
  map.SetKills(0, 1, 1, 3);
  map.SetKills(1, 2, 0, 1);
  map.hits[4] = 2;
  return store;
}

// A failed rewrite leaves the file as it was.
void CheckKept(bool ok, const std::filesystem::path& file, const std::string& before) {
  if (!ok && Read(file) != before) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto& folder = Folder();
  mrv::fuzz::WriteFile(folder / "p.mrv", input);
  mrv::ProfileStore profile_store(folder, kWeapons);
  if (!profile_store.Open("p.mrv")) __builtin_trap();
  std::vector<std::string> lines;
  std::vector<std::string> notes;
  std::vector<std::string> games;
  mrv::StatsRecord record;
  mrv::ProfileInfo info;
  profile_store.ReadNicknames(lines);
  const bool listed = profile_store.ListGames(games);
  profile_store.ReadTotals(record);
  profile_store.ReadGames(std::vector<std::int32_t>{1, 2}, record);
  // The viewer lists the games from their figures when those read: the same games.
  std::vector<mrv::GameFigures> figures;
  if (profile_store.ReadGameFigures(figures)) {
    if (!listed || figures.size() != games.size()) __builtin_trap();
    for (std::size_t i = 0; i < figures.size(); ++i) {
      if (figures[i].name != games[i]) __builtin_trap();
    }
  }
  profile_store.ReadProfileInfo("p.mrv", lines, notes, info);
  profile_store.Close();

  mrv::fuzz::WriteFile(folder / "copy.mrv", input);
  if (!profile_store.Open("copy.mrv")) __builtin_trap();
  mrv::SilentPrompt prompt;
  std::string before = Read(folder / "copy.mrv");
  CheckKept(mrv::AddGameToProfile(CapturedGame(), "fuzzed game", profile_store, prompt),
            folder / "copy.mrv", before);

  // Removal checks the games against those listed just before, as the viewer does.
  before = Read(folder / "copy.mrv");
  std::vector<std::string> listed_now;
  const std::vector<std::int32_t> newest = {1};
  CheckKept(profile_store.ListGames(listed_now) && profile_store.RemoveGames(newest, listed_now),
            folder / "copy.mrv", before);

  before = Read(folder / "copy.mrv");
  CheckKept(profile_store.SaveNotesAndNicknames("copy.mrv", {"Joe", "Ann"}, {"fuzzed"}),
            folder / "copy.mrv", before);
  return 0;
}
