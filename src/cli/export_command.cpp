// morvane-cli export: the HTML report of a saved game or of a profile, written from the
// stats viewer's document driven as the desktop program drives it, with its pictures.
// This is the export module (export_module.h), which the tool loads for this verb alone.
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>

#include "cli/arguments.h"
#include "cli/export_module.h"
#include "cli/setup.h"
#include "files/path_text.h"
#include "files/saved_game.h"
#include "model/text.h"
#include "views/html_export.h"
#include "views/stats_viewer.h"

namespace mrv::cli {

namespace {

int Usage(const std::string& message) {
  PrintError(message);
  return kExitUsage;
}

int Fail(const std::string& message) {
  PrintError(PlainLines(message));
  return kExitFailure;
}

// "2,1" as numbers from 1 to `highest`; empty for anything else.
std::optional<std::vector<int>> NumberList(const std::string& text, int highest) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const auto number = ParseInt32(std::string_view(text).substr(start, comma - start));
    if (!number || *number < 1 || *number > highest) return std::nullopt;
    numbers.push_back(*number);
    if (comma == std::string::npos) return numbers;
    start = comma + 1;
  }
}

// Applies --without PART: false when PART names no box of the export dialog.
bool Uncheck(HtmlReportOptions& options, const std::string& part) {
  static constexpr std::array<std::string_view, kHitKindCount> kSections = {
      "hits", "hits-taken", "death-hits", "death-hits-taken"};
  bool* box = nullptr;
  if (part == "overall") box = &options.overall;
  if (part == "ctf") box = &options.capture_the_flag;
  if (part == "weapons") box = &options.weapons;
  if (part == "progress") box = &options.progress;
  for (std::size_t k = 0; k < kSections.size(); ++k) {
    if (part == kSections[k]) box = &options.sections[k];
    if (part == std::string(kSections[k]) + "-picture") box = &options.pictures[k];
  }
  if (box == nullptr) return false;
  *box = false;
  return true;
}

// The page is Latin-1, as game text is and as the export dialog writes the user's own
// text; an argument comes in the terminal's encoding.
std::string PageText(const std::string& argument) {
  return QString::fromLocal8Bit(QByteArray::fromStdString(argument)).toLatin1().toStdString();
}

void ShowOnlyQtErrors(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) PrintError(message.toStdString());
}

// The report's folder, made when only it is missing (-o report/tonight.html); what
// keeps it from being there, or empty.
std::string MakeReportFolder(const std::filesystem::path& report) {
  const std::filesystem::path folder = report.parent_path();
  std::error_code error;
  if (folder.empty() || std::filesystem::exists(std::filesystem::symlink_status(folder, error))) {
    return {};
  }
  if (std::filesystem::create_directory(folder, error) || !error) return {};
  return "the folder " + folder.string() + " of " + report.string() +
         " does not exist and cannot be made: " + error.message();
}

struct Request {
  const ParsedArguments& args;
  std::filesystem::path output;
  HtmlReportOptions options;
};

int Export(const StatsViewer& viewer, const LoadedProfile& loaded, const Request& request) {
  if (const std::string missing = MakeReportFolder(request.output); !missing.empty()) {
    return Fail(missing);
  }
  const ExportResult result = ExportHtmlReport(viewer, loaded, request.options, request.output);
  return result.written ? kExitOk : Fail(result.message);
}

// A saved game as the main window shows it, then the clicks the options name.
int DriveGame(StatsViewer& viewer, Request& request) {
  const ParsedArguments& args = request.args;
  if (const auto maps = args.Last("--maps")) {
    const auto rows = NumberList(*maps, static_cast<int>(viewer.maps().size()) - 1);
    if (!rows) return Usage("--maps takes map numbers from 1 to the game's map count: " + *maps);
    for (std::size_t i = 0; i < rows->size(); ++i) viewer.ClickMap((*rows)[i], i > 0);
  }
  for (const std::string& column : args.All("--sort")) {
    const auto number = ParseInt32(column);
    if (!number || *number < 0 || *number >= kOverallColumnCount) {
      return Usage("--sort takes a column from 0 to 8: " + column);
    }
    viewer.ClickOverallColumn(*number);
  }
  if (const auto nick = args.Last("--player")) {
    const int row = viewer.FindPlayer(*nick);
    if (row < 0) return Usage("no player named " + TerminalText(*nick) + " on the selected maps");
    viewer.ClickPlayer(row, false);
  }
  request.options.weapons = request.options.weapons && ReportCanShowWeapons(viewer);
  return kExitOk;
}

int ExportGame(const Environment& env, Request& request) {
  const ParsedArguments& args = request.args;
  if (args.positionals.size() != 1)
    return Usage("export needs one saved game file, or --profile NAME");
  if (!args.All("--games").empty()) return Usage("--games goes with --profile only");
  ConsolePrompt prompt;
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  StatsStore store(weapons->size());
  std::string game_name;
  if (!LoadGame(store, PathFromUtf8(args.positionals[0]), game_name, prompt)) {
    if (prompt.shown() == 0) PrintError("no game in " + args.positionals[0]);
    return kExitFailure;
  }
  ProfileStore profile_store(env.data_dir, weapons->size());
  LoadedProfile loaded;
  StatsViewer viewer({store, *weapons, env.data_dir, prompt, profile_store, loaded});
  viewer.OpenGame(true, game_name);
  if (const int code = DriveGame(viewer, request); code != kExitOk) return code;
  return Export(viewer, loaded, request);
}

// A profile as the profile manager opens it, on "<all games>" or the games named.
int ExportProfile(const Environment& env, Request& request, const std::string& name) {
  const ParsedArguments& args = request.args;
  for (const char* option : {"--maps", "--sort", "--player"}) {
    if (!args.All(option).empty())
      return Usage(std::string(option) + " goes with a saved game only");
  }
  if (!args.positionals.empty())
    return Usage("export takes a saved game file or --profile NAME, not both");
  if (!IsValidProfileName(name)) {
    return Usage("a profile name holds none of \\ / * : ? | < > \" and is not empty: " + name);
  }
  ConsolePrompt prompt;
  const auto weapons = LoadWeapons(env, prompt);
  if (!weapons) return kExitFailure;
  ProfileStore profile_store(env.data_dir, weapons->size());
  LoadedProfile loaded;
  if (!LoadProfile(profile_store, name + ".mrv", loaded)) {
    return Fail(profile_store.LastError().empty() ? "no profile named " + name : profile_store.LastError());
  }
  StatsStore store(weapons->size());
  StatsViewer viewer({store, *weapons, env.data_dir, prompt, profile_store, loaded});
  ViewerChanges changed = viewer.OpenProfile();
  if (const auto games = args.Last("--games"); games && !changed.Has(ViewerPart::kCloseRequest)) {
    const auto entries = NumberList(*games, static_cast<int>(viewer.games().size()) - 1);
    if (!entries)
      return Usage("--games takes game numbers from 1 to the profile's game count: " + *games);
    changed = viewer.SelectGames(*entries);
  }
  if (changed.Has(ViewerPart::kCloseRequest)) return Fail(viewer.error_message());
  const int code = Export(viewer, loaded, request);
  viewer.Finish();
  return code;
}

int RunHtmlExport(const Environment& env, const Arguments& args) {
  Arguments renamed = args;
  std::replace(renamed.begin(), renamed.end(), std::string("-o"), std::string("--output"));
  std::string error;
  const auto parsed = ParseArguments(renamed,
                                     {"--output", "--profile", "--maps", "--sort", "--player",
                                      "--games", "--title", "--note", "--without"},
                                     {}, error);
  if (!parsed) return Usage(error);
  Request request{*parsed, {}, {}};
  const auto output = parsed->Last("--output");
  if (!output || output->empty()) return Usage("export needs -o REPORT.html");
  request.output = PathFromUtf8(*output);
  if (const auto title = parsed->Last("--title")) request.options.title = PageText(*title);
  if (const auto notes = parsed->All("--note"); !notes.empty()) {
    request.options.observations.clear();
    for (const std::string& note : notes) request.options.observations.push_back(PageText(note));
  }
  for (const std::string& part : parsed->All("--without")) {
    if (!Uncheck(request.options, part)) {
      return Usage("--without takes a box of the export dialog: " + part);
    }
  }

  // The pictures carry text, which needs fonts but never a display. Qt's own notes
  // (a runtime folder it chose, a plugin's limits) are no news to the user.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(ShowOnlyQtErrors);
  static int argc = 1;
  static char name[] = "morvane-cli";
  static char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const auto profile = parsed->Last("--profile");
  return profile ? ExportProfile(env, request, *profile) : ExportGame(env, request);
}

}  // namespace

}  // namespace mrv::cli

#ifdef _WIN32
#define MORVANE_MODULE_ENTRY __declspec(dllexport)
#else
#define MORVANE_MODULE_ENTRY __attribute__((visibility("default")))
#endif

extern "C" MORVANE_MODULE_ENTRY int morvane_export_main(const char* data_dir, int argc,
                                                        const char* const* argv) noexcept {
  const mrv::cli::Environment env{mrv::PathFromUtf8(data_dir)};
  return mrv::cli::RunHtmlExport(env, mrv::cli::Arguments(argv, argv + argc));
}
static_assert(std::is_same_v<decltype(morvane_export_main), mrv::cli::ExportMain>);
