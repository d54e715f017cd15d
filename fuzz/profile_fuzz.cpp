// Feeds arbitrary bytes to every profile reader, then adds and removes games and
// rewrites the notes on a copy: nothing may crash, and a failed rewrite must leave the
// file exactly as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/profile_add_game.h"
#include "files/profiler.h"

namespace {

class SilentPrompt final : public mrv::Prompt {
 public:
  void Inform(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&) override { return false; }
  void Error(const std::string&, const std::string&) override {}
};

constexpr int kWeapons = 3;

// A folder of this process, removed when the fuzzer exits.
struct ScratchFolder {
  ScratchFolder() { std::filesystem::create_directories(path); }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("morvane-profile-fuzz-" + std::to_string(::getpid()));
};

const std::filesystem::path& Folder() {
  static const ScratchFolder folder;
  return folder.path;
}

void Write(const std::filesystem::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One map on which the own player played and scored.
mrv::Database CapturedGame() {
  mrv::Database database(kWeapons);
  mrv::map_record& map = mrv::NewMap(database, "ut4_abbey");
  mrv::AddNick(map, "Joe", 1);
  mrv::AddNick(map, "Ann", 2);
  map.own_nick = "Joe";
  map.duration = 120;
  map.kills(0, 1, 1) = 3;
  map.kills(1, 2, 0) = 1;
  map.hits[4] = 2;
  return database;
}

// A failed rewrite leaves the file as it was.
void CheckKept(bool ok, const std::filesystem::path& file, const std::string& before) {
  if (!ok && Read(file) != before) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto& folder = Folder();
  Write(folder / "p.mrv", input);
  mrv::TProfiler profiler(folder, kWeapons);
  if (!profiler.Open("p.mrv")) __builtin_trap();
  std::vector<std::string> lines;
  std::vector<std::string> notes;
  std::vector<std::string> games;
  mrv::stats_record record;
  mrv::ProfileInfo info;
  profiler.ReadNicknames(lines);
  const bool listed = profiler.ListGames(games);
  profiler.ReadTotals(record);
  profiler.ReadGames(std::vector<std::int32_t>{1, 2}, record);
  profiler.ReadProfileInfo("p.mrv", lines, notes, info);
  profiler.Close();

  Write(folder / "copy.mrv", input);
  if (!profiler.Open("copy.mrv")) __builtin_trap();
  SilentPrompt prompt;
  std::string before = Read(folder / "copy.mrv");
  CheckKept(mrv::AddGameToProfile(CapturedGame(), "fuzzed game", profiler, prompt),
            folder / "copy.mrv", before);

  before = Read(folder / "copy.mrv");
  mrv::stats_record sums;
  const std::vector<std::int32_t> newest = {1};
  CheckKept(listed && profiler.ReadGames(newest, sums) &&
                profiler.RemoveGames(newest, sums, "first", "last"),
            folder / "copy.mrv", before);

  before = Read(folder / "copy.mrv");
  CheckKept(profiler.SaveNotesAndNicknames("copy.mrv", {"Joe", "Ann"}, {"fuzzed"}),
            folder / "copy.mrv", before);
  return 0;
}
