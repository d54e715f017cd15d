// GameTexts.txt loading time, on files a player could write: the shipped rules and then
// rules made to be slow, of every kind.
//   long_chat N     N "log chat" texts of 1,200 bytes, each holding the first one's
//                   only byte once, at its end
//   every_kind N    N rules of every kind in turn (locations, hit line forms up to the
//                   file's limit, map marks, search paths, the three kinds of chat)
//   largest         the largest file the file's limits let load
// prints "load_ms NAME MEDIAN" (LoadGameTexts from the file, median of the runs), and
// with --write DIR writes each file as DIR/NAME/GameTexts.txt beside copies of the
// shipped stats.ini and DeathMsgs.txt, so that the programs can be run on them end to
// end (morvane-cli --dir DIR/NAME parse LOG). It also writes the files made to slow the
// parse of a log down rather than the load:
//   shared_byte_chat   4,000 "log chat" texts that share only a blank
//   nested_locations   location names that begin as the real ones do, each a byte
//                      longer than the one before
//   hit_forms          as many hit line forms as the file allows, read before the
//                      shipped ones, each beginning and ending as the real lines do
//   search_paths       4,000 search paths as long as the log's lines
//   chat_starts        4,000 "live chat start" texts beginning as the log's lines do
// A file the loader refuses ends the bench: it would time nothing.
//
// Usage: game_texts_bench [--runs N] [--write DIR] [NAME...]   (default: every file)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "capture/matching/game_texts.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = MORVANE_SOURCE_DIR;

// Tells whether anything was reported: a refused file.
class CountingPrompt final : public mrv::Prompt {
 public:
  void Inform(const std::string&, const std::string&) override { ++shown; }
  bool Ask(const std::string&, const std::string&) override { return false; }
  bool AskText(const std::string&, const std::string&, std::string&) override { return false; }
  void Error(const std::string& text, const std::string&) override {
    ++shown;
    last = text;
  }
  int shown = 0;
  std::string last;
};

std::string Shipped() {
  std::ifstream in(kSourceDir / "data" / mrv::kGameTextsFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Number(int n, int width) {
  std::string text = std::to_string(n);
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))),
                     '0') +
         text;
}

// Bytes that no log line holds next to each other: text built from them never matches.
std::string RareWord(int n) {
  constexpr std::string_view kRare = "qxzjQXZJ";
  std::string word;
  for (int i = 0; i < 4; ++i, n /= 8) word += kRare[static_cast<std::size_t>(n % 8)];
  return word;
}

struct TextsFile {
  std::string name;
  std::string content;
};

std::string LongChat(int rules) {
  std::string content;
  for (int i = 0; i < rules; ++i) {
    const std::string text = i == 0 ? std::string(1195, 'x')
                                    : std::string(1190, 'y') + Number(i, 5) + "x";
    content += "log chat: " + text + "\n";
  }
  return content;
}

// The hit line forms a file may hold besides the shipped four.
constexpr int kExtraHitForms = 12;

std::string HitForm(int i) {
  return (i % 2 == 0 ? "hit given: You hit <NICK> in the <LOCATION> f" + RareWord(i) +
                           " <DAMAGE>% damage."
                     : "hit taken: You were hit in the <LOCATION> b" + RareWord(i) +
                           " <NICK> for <DAMAGE>% damage.");
}

std::string EveryKind(int rules) {
  std::string content;
  int forms = 0;
  for (int i = 0; i < rules; ++i) {
    const std::string word = RareWord(i);
    switch (i % 7) {
      case 0:
        content += "location: Head " + word + Number(i, 5) + " = Head\n";
        break;
      case 1:
        content += forms++ < kExtraHitForms ? HitForm(i) + "\n" : "log chat: ^3" + word + "\n";
        break;
      case 2:
        content += "map loaded after: <COUNT> " + word + " parsed\n";
        break;
      case 3:
        content += "search path: Going through " + word + "...\n";
        break;
      case 4:
        content += "log chat: " + word + ": ^3\n";
        break;
      case 5:
        content += "live chat: \"" + word + "): \"\n";
        break;
      default:
        content += "live chat start: \"(" + word + ") \"\n";
    }
  }
  return content;
}

// Every line as long and as many lines as the file's limits allow.
std::string Largest() {
  std::string content;
  const std::size_t lines = mrv::kMaxGameTextsLines - 200;
  const std::size_t line_bytes =
      std::min(mrv::kMaxGameTextsLine, mrv::kMaxGameTextsBytes / mrv::kMaxGameTextsLines) - 24;
  for (std::size_t i = 0; i < lines; ++i) {
    const std::string key = Number(static_cast<int>(i), 5);
    const std::string filler(line_bytes, i % 2 == 0 ? 'y' : '^');
    content += i % 3 == 0 ? "location: " + filler + key + " = Head\n"
               : i % 3 == 1 ? "log chat: " + filler + key + "\n"
                            : "live chat start: " + key + filler + "\n";
  }
  return content;
}

std::vector<TextsFile> ParseHostile() {
  std::vector<TextsFile> files;
  std::string content;
  for (int i = 0; i < 4000; ++i) {
    const std::string word = RareWord(i);
    content += "log chat: " + word.substr(0, 2) + " " + word.substr(2) + "\n";
  }
  files.push_back({"shared_byte_chat", content + Shipped()});

  content.clear();
  for (int i = 1; i < 500; ++i) content += "location: Head" + std::string(i, 'e') + " = Head\n";
  for (int i = 2; i < 500; ++i) content += "location: " + std::string(i, 'T') + "orso = Chest\n";
  files.push_back({"nested_locations", Shipped() + content});

  content.clear();
  for (int i = 0; i < kExtraHitForms; ++i) content += HitForm(i) + "\n";
  files.push_back({"hit_forms", content + Shipped()});

  content.clear();
  for (int i = 0; i < 4000; ++i) {
    content += "search path: You hit Rasec" + Number(i, 4) + " in the Torso for 10% damage.\n";
  }
  files.push_back({"search_paths", Shipped() + content});

  content.clear();
  for (int i = 0; i < 4000; ++i) content += "live chat start: \"You hit " + RareWord(i) + "\"\n";
  files.push_back({"chat_starts", Shipped() + content});
  return files;
}

std::vector<TextsFile> LoadHostile() {
  std::vector<TextsFile> files;
  for (const int rules : {100, 400, 800}) {
    files.push_back({"long_chat_" + std::to_string(rules), LongChat(rules) + Shipped()});
  }
  for (const int rules : {100, 400, 800, 4000}) {
    files.push_back({"every_kind_" + std::to_string(rules), Shipped() + EveryKind(rules)});
  }
  files.push_back({"largest", Largest()});
  return files;
}

void WriteFile(const fs::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

// The file's folder, with the other shipped files beside it.
fs::path WriteDataDir(const fs::path& dir, const TextsFile& file) {
  const fs::path folder = dir / file.name;
  fs::create_directories(folder);
  for (const char* shipped : {"stats.ini", "DeathMsgs.txt"}) {
    fs::copy_file(kSourceDir / "data" / shipped, folder / shipped,
                  fs::copy_options::overwrite_existing);
  }
  WriteFile(folder / mrv::kGameTextsFile, file.content);
  return folder;
}

double LoadMs(const fs::path& folder) {
  CountingPrompt prompt;
  const auto start = std::chrono::steady_clock::now();
  const mrv::GameTexts texts = mrv::LoadGameTexts(folder, prompt);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (prompt.shown != 0) {
    std::fprintf(stderr, "game_texts_bench: %s refused: %s\n", folder.string().c_str(),
                 prompt.last.c_str());
    std::exit(1);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  fs::path write_dir;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--write" && i + 1 < argc) {
      write_dir = argv[++i];
    } else if (arg.starts_with("-")) {
      std::fprintf(stderr, "usage: %s [--runs N] [--write DIR] [NAME...]\n", argv[0]);
      return 2;
    } else {
      only.push_back(arg);
    }
  }
  const fs::path scratch =
      write_dir.empty() ? fs::temp_directory_path() / "morvane-game-texts-bench" : write_dir;
  std::vector<TextsFile> files = LoadHostile();
  for (TextsFile& file : ParseHostile()) files.push_back(std::move(file));
  files.push_back({"shipped", Shipped()});
  for (const TextsFile& file : files) {
    if (!only.empty() && std::find(only.begin(), only.end(), file.name) == only.end()) continue;
    const fs::path folder = WriteDataDir(scratch, file);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(LoadMs(folder));
    std::sort(times.begin(), times.end());
    std::printf("load_ms %s %.1f\n", file.name.c_str(), times[times.size() / 2]);
    std::fflush(stdout);
  }
  if (write_dir.empty()) fs::remove_all(scratch);
  return 0;
}
