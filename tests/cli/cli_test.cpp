// morvane-cli run as its users run it: its exit codes and messages, its reports, and
// what it does with output that cannot be written. Set MORVANE_UPDATE_GOLDEN=1 to
// rewrite the golden reports after an intended change, and read the diff.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "files/path_text.h"
#include "support/child_process.h"
#include "files/settings.h"
#include "support/fakes.h"
#include "support/paths.h"
#include "support/unsaved_capture.h"

#ifdef _WIN32
#include <windows.h>

#include "product.h"
#else
#include <sys/stat.h>
#endif

namespace mrv::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exit_code = -1;  // -1: still running after the patience, so killed
  std::string out;
  std::string err;
};

// A program folder with the shipped stats.ini and DeathMsgs.txt, without GameTexts.txt,
// and the tool run on it.
class Tool {
 public:
  explicit Tool(const std::string& name, fs::path program = BuiltProgram("morvane-cli"))
      : dir_(name), program_(std::move(program)) {
    for (const char* file : {"stats.ini", "DeathMsgs.txt"}) {
      fs::copy_file(ShippedDir() / file, dir_ / file);
    }
  }
  const ScratchDir& dir() const { return dir_; }

  // morvane-cli --dir DIR ARGS..., standard output to `output` when given.
  Outcome Run(const std::vector<std::string>& args, const fs::path& output = {}) const {
    const fs::path out = output.empty() ? dir_ / "out.txt" : output;
    const fs::path err = dir_ / "err.txt";
    std::vector<std::string> arguments = {"--dir", dir_.path().string()};
    arguments.insert(arguments.end(), args.begin(), args.end());
    Outcome outcome;
    {
      ChildProcess tool(program_, arguments, out, err);
      const auto exit_code = tool.Wait(std::chrono::seconds(30));
      if (!exit_code) return outcome;
      outcome.exit_code = *exit_code;
    }
    if (output.empty()) outcome.out = ReadFileBytes(out);
    outcome.err = ReadFileBytes(err);
    return outcome;
  }

 private:
  ScratchDir dir_;
  fs::path program_;
};

std::string Sample(const std::string& stem) {
  return (SamplesDir() / (stem + ".log")).string();
}

TEST(CliTest, ParseGivesTheGoldenJsonOfEachSample) {
  const Tool tool("cli-golden");
  for (const std::string stem : {"ffa_short", "ctf_abbey", "ts_two_maps", "long_session"}) {
    const Outcome run =
        tool.Run({"parse", Sample(stem), "--nick", "Morv", "--game-name", stem, "--json"});
    EXPECT_EQ(run.exit_code, 0) << stem << ": " << run.err;
    EXPECT_EQ(run.err, "");
    const auto golden = TestDataDir() / "golden" / (stem + ".json");
    if (std::getenv("MORVANE_UPDATE_GOLDEN") != nullptr) WriteFileBytes(golden, run.out);
    EXPECT_EQ(run.out, ReadFileBytes(golden)) << stem << " differs from its golden report";
  }
}

TEST(CliTest, ExitCodesAndMessages) {
  const Tool tool("cli-codes");
  const ScratchDir& dir = tool.dir();
#ifdef _WIN32
  // No fifos there: the null device stands for both.
  const std::string device = "NUL";
  const std::string fifo = device;
#else
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  const std::string device = "/dev/zero";
  const std::string fifo = (dir / "fifo").string();
#endif
  WriteFileBytes(dir / "DeathMsgs.txt",
                 ReadFileBytes(dir / "DeathMsgs.txt") +
                     "~<VICTIM><MSG> was zapped by </MSG><KILLER><MSG>.</MSG>\n");
  WriteFileBytes(dir / "zapped.log", "You hit Rasec in the Head.\nRasec was zapped by Fak.\n");
  const std::string game = (dir / "game.stg").string();
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string message;  // part of what standard error says
  };
  const Case cases[] = {
      {{}, 2, "usage: morvane-cli"},
      {{"--help"}, 0, ""},
      {{"frobnicate"}, 2, "unknown verb 'frobnicate'"},
      {{"parse"}, 2, "parse needs at least one log file"},
      {{"parse", Sample("ffa_short"), "--bogus"}, 2, "unknown option --bogus"},
      {{"parse", Sample("ffa_short"), "--nick"}, 2, "option --nick needs a value"},
#ifndef _WIN32  // a Windows command line holds at most 32,767 characters
      {{"parse", Sample("ffa_short"), "--game-name", std::string(65537, 'g'), "--save", game},
       2,
       "--game-name takes one line of at most 65536 bytes"},
#endif
      {{"parse", Sample("ffa_short"), "--game-name", "two\nlines"}, 2, "--game-name takes one"},
      {{"show", game, game}, 2, "show needs exactly one saved game file"},
      {{"profile"}, 2, "profile needs one of"},
      {{"profile", "remove", "Joe", "first"}, 2, "not a game number: first"},
      {{"parse", (dir / "missing.log").string()}, 1, "Unable to parse log file!"},
      {{"parse", Sample("ffa_short"), "--save", game}, 0, ""},
      {{"show", game}, 0, ""},
      // A device, a fifo or a folder is no saved game, and no save replaces one.
      {{"show", device}, 1, "Unable to load file " + device},
      {{"show", fifo}, 1, "Unable to load file " + fifo},
      {{"parse", Sample("ffa_short"), "--save", fifo}, 1, "Unable to save file " + fifo},
      {{"parse", Sample("ffa_short"), "--save", dir.path().string()}, 1, "Unable to save file"},
      // The kill of an unknown weapon ends the capture: the report still comes.
      {{"parse", (dir / "zapped.log").string()}, 3, "seems corrupted"},
      {{"profile", "create", "Joe", "--nick", "Joe"}, 0, ""},
      {{"profile", "create", "Joe", "--nick", "Joe"}, 1, "a profile named Joe exists already"},
      {{"profile", "remove", "Joe", "1"}, 1, "profile Joe has no game 1"},
      {{"profile", "add", "Joe", game}, 1, "Only maps with time information can be added!"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const auto& arg : c.args) line += arg + " ";
    SCOPED_TRACE(line);
    const Outcome run = tool.Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    const bool reports = (c.exit_code == 0 || c.exit_code == 3) && c.args.size() > 1 &&
                         (c.args[0] == "parse" || c.args[0] == "show");
    if (reports) {
      EXPECT_TRUE(run.out.starts_with("Game: ")) << run.out;
    }
  }
#ifndef _WIN32
  EXPECT_TRUE(fs::is_fifo(fifo));
#endif
  // A data folder without stats.ini receives the files beside the tool; a damaged one
  // ends every verb.
  const fs::path empty = dir / "empty";
  EXPECT_EQ(tool.Run({"--dir", empty.string(), "show", game}).exit_code, 0);
  for (const char* file : {"stats.ini", "DeathMsgs.txt", "GameTexts.txt"}) {
    EXPECT_EQ(ReadFileBytes(empty / file), ReadFileBytes(fs::path(MORVANE_BIN_DIR) / file)) << file;
  }
  WriteFileBytes(empty / "stats.ini", "[data]\r\nweapons=\r\n");
  EXPECT_EQ(tool.Run({"--dir", empty.string(), "show", game}).exit_code, 1) << "damaged stats.ini";
}

// Names in any script reach the tool whole (on Windows through its wide command line)
// and name the files it reads and writes.
TEST(CliTest, FileNamesInAnyScriptReachTheTool) {
  const Tool tool("cli-any-script");
  const fs::path folder = tool.dir().path() / PathFromUtf8("Дмитрий 日本");
  fs::create_directory(folder);
  fs::copy_file(ShippedDir() / "stats.ini", folder / "stats.ini");
  fs::copy_file(SamplesDir() / "ctf_abbey.log", folder / PathFromUtf8("ゲーム.log"));
  const std::string log = Utf8FromPath(folder / PathFromUtf8("ゲーム.log"));
  const std::string game = Utf8FromPath(folder / PathFromUtf8("ゲーム.stg"));
  Outcome run = tool.Run({"parse", log, "--game-name", "g", "--save", game});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(fs::exists(PathFromUtf8(game)));
  run = tool.Run({"show", game});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("Game: g\n")) << run.out;
  run = tool.Run({"--dir", Utf8FromPath(folder), "profile", "create", "Jöe", "--nick", "Morv"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(fs::exists(folder / PathFromUtf8("Jöe.mrv")));
}

#ifdef _WIN32
// The tool's file carries the icon and the version that Windows shows in its properties.
TEST(CliTest, TheProgramFileHoldsTheIconAndTheVersion) {
  const std::wstring file = BuiltProgram("morvane-cli").wstring();
  DWORD unused = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(file.c_str(), &unused));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  void* version = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             &version, &length));
  EXPECT_EQ(Utf8FromPath(static_cast<const wchar_t*>(version)), kVersion);
  HMODULE program = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr)
      << "the icon group";
  FreeLibrary(program);
}
#endif

// A capture whose game was never saved: listed, rebuilt into the report parse gives,
// and saved, which removes its journal; a damaged journal says where it stops.
TEST(CliTest, RecoverListsRebuildsAndSavesUnsavedCaptures) {
  const Tool tool("cli-recover");
  const ScratchDir& dir = tool.dir();
  EXPECT_EQ(tool.Run({"recover"}).out, "") << "nothing to recover";
  WeaponTable weapons;
  test::FakePrompt prompt;
  ASSERT_TRUE(ReadWeaponSettings(dir.path(), weapons, prompt));
  const fs::path journal = test::UnsavedCapture(
      dir.path(), weapons,
      {"\"mapname\" is:\"ut4_abbey\" default:\"nomap\"", "Rasec got a lead enema from Fak's retro M4."});
  const Outcome listed = tool.Run({"recover"});
  EXPECT_TRUE(listed.out.ends_with("  " + journal.string() + "\n")) << listed.out;
  EXPECT_EQ(listed.out.size(), 19 + 2 + journal.string().size() + 1) << "the start, then the file";

  const Outcome json = tool.Run({"recover", journal.string(), "--json"});
  EXPECT_EQ(json.exit_code, 0) << json.err;
  EXPECT_NE(json.out.find("{\"game\":\"" + listed.out.substr(0, 16) + "\""), std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("ut4_abbey"), std::string::npos);
  EXPECT_TRUE(fs::exists(journal)) << "kept until saved";

  std::string bytes = ReadFileBytes(journal);
  WriteFileBytes(dir / "cut.journal", bytes.substr(0, bytes.size() - 2));
  const Outcome cut = tool.Run({"recover", (dir / "cut.journal").string()});
  EXPECT_EQ(cut.exit_code, 0);
  EXPECT_NE(cut.err.find("the journal is damaged at byte "), std::string::npos) << cut.err;
  EXPECT_EQ(tool.Run({"recover", (dir / "zapped.log").string()}).exit_code, 1);
  EXPECT_EQ(tool.Run({"recover", "--json"}).exit_code, 2);

  const std::string game = (dir / "tonight.stg").string();
  EXPECT_EQ(tool.Run({"recover", journal.string(), "--save", game}).exit_code, 0);
  EXPECT_FALSE(fs::exists(journal));
  EXPECT_TRUE(tool.Run({"show", game}).out.starts_with("Game: "));
}

// GameTexts.txt beside the tool decides how a 4.1 log reads.
TEST(CliTest, ReadsTheGameTextsFileBesideIt) {
  const Tool tool("cli-game-texts");
  const std::vector<std::string> args = {"parse", Sample("ts_damage_41"), "--game-name", "g"};
  EXPECT_EQ(tool.Run(args).out.find("ut4_turnpike"), std::string::npos) << "two maps as one";
  fs::copy_file(ShippedDir() / "GameTexts.txt", tool.dir() / "GameTexts.txt");
  const Outcome with = tool.Run(args);
  EXPECT_NE(with.out.find("ut4_turnpike"), std::string::npos) << with.out;
  EXPECT_EQ(with.err, "");
}

// Game numbers shift when another program adds a game: NUMBER=GAME removes only the
// game the user saw under that number.
TEST(CliTest, ProfileRemoveChecksTheGameItWasNamed) {
  const Tool tool("cli-remove");
  const fs::path profile = tool.dir() / "Joe.mrv";
  WriteFileBytes(profile, ReadFileBytes(TestDataDir() / "profile_two_games.mrv"));
  const std::string before = ReadFileBytes(profile);
  const Outcome refused = tool.Run({"profile", "remove", "Joe", "2=2024-05-02 21:00"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("game 2 of profile Joe is 2024-05-01 20:15, not 2024-05-02 21:00: "
                             "nothing was removed"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(ReadFileBytes(profile), before);
  const Outcome removed = tool.Run({"profile", "remove", "Joe", "2=2024-05-01 20:15"});
  EXPECT_EQ(removed.exit_code, 0) << removed.err;
  EXPECT_EQ(removed.out, "removed game 2: 2024-05-01 20:15\n1 game left\n");
  EXPECT_NE(ReadFileBytes(profile).find("FIRSTGAME=2024-05-02 21:00\r\n"), std::string::npos);
}

#ifndef _WIN32
TEST(CliTest, OutputThatCannotBeWrittenIsAFailure) {
  const Tool tool("cli-full");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"parse", Sample("ctf_abbey")}, {"--help"}}) {
    const Outcome run = tool.Run(args, "/dev/full");
    EXPECT_EQ(run.exit_code, 1) << args[0];
    EXPECT_NE(run.err.find("unable to write to standard output"), std::string::npos) << run.err;
  }
}
#endif

TEST(CliTest, GameTextReachesTheTerminalHarmlessAndJsonEscaped) {
  const Tool tool("cli-text");
  const std::string retitle = "\x1b]2;owned\x07";
  WriteFileBytes(tool.dir() / "hostile.log", retitle + " joined the red team.\n" +
                                                 "Fa\"k\\ joined the blue team.\n"
                                                 "Caf\xe9\x9b joined the blue team.\n"
                                                 "Fa\"k\\ got a lead enema from " +
                                                 retitle + "'s retro M4.\n");
  const std::string log = (tool.dir() / "hostile.log").string();
  const Outcome text = tool.Run({"parse", log, "--game-name", "g\x1b[2J"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out.find_first_of("\x1b\x07\x9b"), std::string::npos);
  EXPECT_NE(text.out.find("Game: g?[2J\n"), std::string::npos);
  EXPECT_NE(text.out.find("  ?]2;owned?  red"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  Caf\xe9?"), std::string::npos) << "letters of Latin-1 stay";

  const Outcome json = tool.Run({"parse", log, "--game-name", "g", "--json"});
  ASSERT_EQ(json.exit_code, 0) << json.err;
  for (const char* nick : {R"("nick":"\u001b]2;owned\u0007")", R"("nick":"Fa\"k\\")",
                           "\"nick\":\"Caf\xc3\xa9\\u009b\""}) {
    EXPECT_NE(json.out.find(nick), std::string::npos) << nick;
  }
}

// The text report's columns line up whatever their contents: a nickname far longer
// than the header, counts of one to three digits.
TEST(CliTest, TheTextReportLinesUpItsColumns) {
  const Tool tool("cli-columns");
  const std::string longest(40, 'a');
  std::string log = longest + " joined the red team.\nBo joined the blue team.\n";
  for (int i = 0; i < 123; ++i) log += "Bo got a lead enema from " + longest + "'s retro M4.\n";
  log += longest + " got a lead enema from Bo's retro M4.\n";
  WriteFileBytes(tool.dir() / "columns.log", log);
  const Outcome text =
      tool.Run({"parse", (tool.dir() / "columns.log").string(), "--game-name", "g"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  const std::string header = "  Player" + std::string(34, ' ') +
                             "  Team   Kills  Deaths  K/D         Caps  Rets  Taken  FCK\n";
  const std::string first =
      "  " + longest + "  red      123       1  123            0     0      0    0\n";
  const std::string second = "  Bo" + std::string(38, ' ') +
                             "  blue       1     123  0.00           0     0      0    0\n";
  const std::string rows = header + first + second;
  EXPECT_EQ(text.out, "Game: g\n\nMap 1: <map1>\n" + rows + "\nAll maps\n" + rows + "\n");
}

// Each game with its figures and progress, the oldest first, numbered as `profile
// remove` numbers them; a game that reads as no date has none.
TEST(CliTest, ProfileShowJsonListsEachGameWithItsFigures) {
  const Tool tool("cli-progress");
  WriteFileBytes(tool.dir() / "Two.mrv",
                 ReadFileBytes(TestDataDir() / "profile_two_games.mrv")
                     .replace(ReadFileBytes(TestDataDir() / "profile_two_games.mrv")
                                  .find("GAME=1=2024-05-02 21:00"),
                              23, "GAME=1=\"final\""));
  const Outcome run = tool.Run({"profile", "show", "Two", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::size_t progress = run.out.find(",\"progress\":[{");
  ASSERT_NE(progress, std::string::npos) << run.out;
  const std::string first =
      R"({"number":2,"name":"2024-05-01 20:15","date":"2024-05-01","time":600,"kills":3,)"
      R"("deaths":2,"caps":1,"rets":0,"ft":3,"fck":2,"hits":{"Head":3,"Neck":0,"Helmet":2,)";
  EXPECT_EQ(run.out.compare(progress + 13, first.size(), first), 0) << run.out.substr(progress);
  EXPECT_NE(run.out.find(R"("kills_per_minute":0.3,"kills_per_minute_average":0.3,)"
                         R"("kd_ratio":1.5,"kd_ratio_average":1.5,"headshot_share":100,)"
                         R"("hits_per_minute":0.5})"),
            std::string::npos);
  EXPECT_NE(run.out.find(R"({"number":1,"name":"\"final\"","date":null,"time":1200,"kills":5,)"),
            std::string::npos);
  EXPECT_NE(run.out.find(R"("kills_per_minute":0.25,"kills_per_minute_average":0.275,)"
                         R"("kd_ratio":1.667,"kd_ratio_average":1.583,)"),
            std::string::npos);
  EXPECT_TRUE(run.out.ends_with("}]}\n")) << run.out.substr(run.out.size() - 40);
}

#if MORVANE_HTML_EXPORT
TEST(CliTest, ExportWritesTheReportOfWhatItsOptionsChoose) {
  const Tool tool("cli-export");
  const ScratchDir& dir = tool.dir();
  const std::string game = (TestDataDir() / "golden" / "ts_two_maps.stg").string();
  const std::string report = (dir / "out" / "report.html").string();  // out/ made on the way
  const Outcome run = tool.Run({"export", game, "-o", report, "--maps", "2", "--sort", "1",
                                "--player", "KR4KEN", "--title", "Casa", "--note", "one", "--note",
                                "Caf\xc3\xa9", "--without", "death-hits-taken-picture"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string page = ReadFileBytes(report);
  EXPECT_NE(page.find(">Casa</font></h2>"), std::string::npos);
  // The page is Latin-1, as game text is; arguments come in UTF-8.
  EXPECT_NE(page.find("\r\none<br>\r\nCaf\xe9<br>\r\n"), std::string::npos);
  EXPECT_NE(page.find("maggot"), std::string::npos);  // he played on ut4_casa only
  EXPECT_NE(page.find("<h3>Weapons of Kr4ken: </h3>"), std::string::npos);
  // Sorted by kills, the most first: Morv's 7 on ut4_casa.
  EXPECT_LT(page.find("<strong>Morv\r\n"), page.find("<strong>Kr4ken\r\n"));
  EXPECT_TRUE(fs::exists(dir / "out" / "report_deathhits.bmp"));
  EXPECT_FALSE(fs::exists(dir / "out" / "report_deathhitstaken.bmp"));

  // Without --player the weapons have nobody to show, as in the export dialog.
  ASSERT_EQ(tool.Run({"export", game, "-o", report, "--maps", "1"}).exit_code, 0);
  EXPECT_EQ(ReadFileBytes(report).find("Weapons of"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(report).find("maggot"), std::string::npos);

  ASSERT_EQ(tool.Run({"profile", "create", "Joe", "--nick", "Joe"}).exit_code, 0);
  ASSERT_EQ(tool.Run({"export", "--profile", "Joe", "-o", report, "--title", "Joe"}).exit_code, 0);
  EXPECT_NE(ReadFileBytes(report).find("<b>Total games:</b> 0<br>"), std::string::npos);
  EXPECT_NE(ReadFileBytes(report).find(">No games</text>"), std::string::npos);

  // The charts of a profile's games, or none.
  fs::copy_file(TestDataDir() / "profile_two_games.mrv", dir / "Two.mrv");
  ASSERT_EQ(tool.Run({"export", "--profile", "Two", "-o", report, "--games", "2"}).exit_code, 0);
  const std::string charts = ReadFileBytes(report);
  EXPECT_NE(charts.find("<title>2024-05-01 20:15: K/D 1.5, 5-game average 1.5</title>"),
            std::string::npos);
  EXPECT_EQ(charts.find("2024-05-02 21:00"), std::string::npos);  // not chosen
  ASSERT_EQ(
      tool.Run({"export", "--profile", "Two", "-o", report, "--without", "progress"}).exit_code, 0);
  EXPECT_EQ(ReadFileBytes(report).find("<svg"), std::string::npos);

  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string message;
  };
  const std::string missing = (dir / "no" / "where" / "r.html").string();
  const Case cases[] = {
      {{"export", game}, 2, "export needs -o REPORT.html"},
      {{"export", "-o", report}, 2, "export needs one saved game file"},
      {{"export", game, "-o", report, "--without", "flags"}, 2, "--without takes a box"},
      {{"export", game, "-o", report, "--maps", "1,"}, 2, "--maps takes map numbers"},
      {{"export", game, "-o", report, "--sort", "9"}, 2, "--sort takes a column from 0 to 8"},
      {{"export", game, "-o", report, "--player", "Nobody"}, 2, "no player named Nobody"},
      {{"export", game, "-o", report, "--games", "1"}, 2, "--games goes with --profile only"},
      {{"export", "--profile", "Joe", "-o", report, "--player", "Joe"}, 2, "--player goes with"},
      {{"export", "--profile", "Joe", "-o", report, "--games", "1"},
       2,
       "--games takes game numbers"},
      {{"export", "--profile", "Nobody", "-o", report}, 1, "no profile named Nobody"},
      {{"export", (dir / "none.stg").string(), "-o", report}, 1, ""},
      {{"export", game, "-o", missing},
       1,
       "the folder " + (dir / "no" / "where").string() + " of " + missing +
           " does not exist and cannot be made: No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const Outcome failed = tool.Run(c.args);
    EXPECT_EQ(failed.exit_code, c.exit_code) << failed.err;
    EXPECT_NE(failed.err.find(c.message), std::string::npos) << failed.err;
  }
}

#endif

// The export is a module of its own, taken from beside the tool or from lib/morvane/
// beside the bin/ it is installed in, and nowhere else; a missing or broken one is a
// failure that says so.
TEST(CliTest, ExportRunsItsModuleFromWhereTheToolKeepsIt) {
  const fs::path tool_file = BuiltProgram("morvane-cli");
  const ScratchDir install("cli-export-install");
  fs::create_directories(install / "bin");
  fs::create_directories(install / "lib" / "morvane");
  fs::copy_file(tool_file, install / "bin" / tool_file.filename());
  const Tool tool("cli-export-module", install / "bin" / tool_file.filename());
  const std::string game = (TestDataDir() / "golden" / "ts_two_maps.stg").string();
  const std::string report = (tool.dir() / "report.html").string();

  const Outcome missing = tool.Run({"export", game, "-o", report});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.err, "morvane-cli: the HTML export is not installed: no " MORVANE_EXPORT_MODULE
                         " in " + (install / "bin").string() + " or " +
                             (install / "lib" / "morvane").string() + "\n");

  const fs::path module = install / "lib" / "morvane" / MORVANE_EXPORT_MODULE;
  WriteFileBytes(module, "no module");
  const Outcome broken = tool.Run({"export", game, "-o", report});
  EXPECT_EQ(broken.exit_code, 1);
  const std::string cannot = "morvane-cli: the HTML export cannot be loaded: " + module.string();
  EXPECT_EQ(broken.err.rfind(cannot, 0), 0) << broken.err;
  EXPECT_FALSE(fs::exists(report));

#if MORVANE_HTML_EXPORT
  fs::copy_file(tool_file.parent_path() / MORVANE_EXPORT_MODULE, module,
                fs::copy_options::overwrite_existing);
  const Outcome run = tool.Run({"export", game, "-o", report, "--title", "Installed"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(ReadFileBytes(report).find(">Installed</font></h2>"), std::string::npos);
#endif
}

#ifdef __GLIBC__
// Only export loads Qt, whose start-up costs more than parsing a megabyte: the other
// verbs start without it.
TEST(CliTest, ParseLoadsNoQt) {
  const Tool tool("cli-no-qt");
  setenv("LD_DEBUG", "libs", 1);  // the loader names each library on standard error
  const Outcome run = tool.Run({"parse", Sample("ts_two_maps")});
  unsetenv("LD_DEBUG");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.err.find("calling init: "), std::string::npos) << "the loader said nothing";
  EXPECT_EQ(run.err.find("libQt"), std::string::npos) << run.err;
}
#endif

}  // namespace
}  // namespace mrv::test
