// A profile of 10,000 generated games (tests/support/generated_profile.h) as the desktop
// program shows it, every click sent to the window under the pointer. Times, with a
// plain clock:
//   open_profile_ms       opening it in the stats viewer: the profile loaded, the viewer
//                         made, its games listed with their figures read, the totals
//                         shown, the window painted
//   progress_view_ms      " Progress" chosen in the menu: the six charts of every game laid
//                         out and the window painted
//   progress_select_ms    a click on "<all games>" (after one on a single game) with the
//                         Progress window open: the totals read again, the progress
//                         rebuilt, the charts laid out and painted
//   progress_paint_ms     the Progress window painted again as it is
//   progress_svg_ms       the report's six SVG charts of every game
//   profile_export_ms     the whole HTML export of the profile: pictures and page,
//                         written to a scratch folder
// and prints each as "NAME_ms MEDIAN". Runs offscreen; no display needed.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "files/data_folder.h"
#include "files/prompt.h"
#include "files/settings.h"
#include "support/generated_profile.h"
#include "ui/object_names.h"
#include "ui/popup_lines.h"
#include "ui/program_state.h"
#include "ui/progress_window.h"
#include "ui/row_list.h"
#include "ui/stats_viewer_window.h"
#include "ui/theme.h"
#include "views/html_export.h"
#include "views/progress_svg.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGames = 10000;

double Milliseconds(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

void Print(const char* name, std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  std::printf("%s %.2f\n", name, samples[samples.size() / 2]);
}

std::vector<double> Repeat(int runs, const std::function<void()>& action) {
  std::vector<double> samples;
  for (int run = 0; run < runs; ++run) samples.push_back(Milliseconds(action));
  return samples;
}

// A left click at `local` of `target`, sent to its window, as a player's click arrives.
void Click(QWidget& target, QPoint local) {
  QWidget* window = target.window();
  const QPoint at = target.mapTo(window, local);
  QTest::mouseMove(window->windowHandle(), at);
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

void ChooseMenuSlot(QWidget& viewer, int slot) {
  auto* label = viewer.findChild<QWidget*>(mrv::ui::names::kMenuLabel);
  Click(*label, label->rect().center());
  Click(*viewer.findChild<mrv::ui::PopupLines*>(mrv::ui::names::kMenuPopup),
        mrv::ui::PopupLines::LinePoint(slot - 1));
}

void ClickGame(QWidget& viewer, int row) {
  Click(*viewer.findChild<mrv::ui::RowList*>(mrv::ui::names::kGameList)->stack(),
        mrv::ui::RowList::RowPoint(row));
}

std::unique_ptr<mrv::ui::ProgramState> StartedState(const fs::path& folder) {
  for (const char* file : {"stats.ini", "DeathMsgs.txt"}) {
    fs::copy_file(fs::path(MORVANE_SOURCE_DIR) / "data" / file, folder / file,
                  fs::copy_options::overwrite_existing);
  }
  mrv::Settings settings;
  mrv::WeaponTable weapons;
  mrv::SilentPrompt prompt;
  if (!mrv::LoadSettings(folder, settings, weapons, prompt, {})) return nullptr;
  return std::make_unique<mrv::ui::ProgramState>(
      mrv::DataFolder{folder, mrv::DataFolderSource::kOption, folder}, std::move(settings),
      std::move(weapons));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  mrv::ui::ApplyTheme(app);
  const fs::path folder = fs::temp_directory_path() / "morvane-progress-bench";
  fs::remove_all(folder);
  fs::create_directories(folder / "report");
  auto state = StartedState(folder);
  if (state == nullptr) {
    std::fprintf(stderr, "progress_bench: the shipped stats.ini could not be read\n");
    return 1;
  }
  mrv::test::WriteGeneratedProfile(folder / "Morv.mrv", kGames, state->weapons.size());

  std::unique_ptr<mrv::ui::StatsViewerWindow> viewer;
  const auto open = Repeat(5, [&] {
    viewer.reset();
    if (!mrv::LoadProfile(state->profile_store, "Morv.mrv", state->loaded_profile)) std::abort();
    viewer =
        std::make_unique<mrv::ui::StatsViewerWindow>(*state, mrv::ui::ViewerDialogs{}, nullptr);
    viewer->OpenProfile();
    viewer->show();
    viewer->grab();
  });
  if (viewer->document().game_figures().size() != kGames) std::abort();
  auto* progress = viewer->findChild<mrv::ui::ProgressWindow*>(mrv::ui::names::kProgressWindow);
  const auto view = Repeat(11, [&] {
    if (progress->isVisible()) progress->hide();
    ChooseMenuSlot(*viewer, 3);
    progress->grab();
  });
  std::vector<double> select;
  for (int run = 0; run < 11; ++run) {
    ClickGame(*viewer, 1 + run);
    select.push_back(Milliseconds([&] {
      ClickGame(*viewer, 0);
      progress->grab();
    }));
  }
  if (viewer->document().progress().games.size() != kGames) std::abort();
  const auto paint = Repeat(21, [&] { progress->grab(); });

  const mrv::Progress& all = viewer->document().progress();
  std::size_t svg_bytes = 0;
  const auto svg = Repeat(11, [&] {
    std::string text;
    for (std::size_t i = 0; i < mrv::kProgressChartCount; ++i) {
      mrv::AppendProgressSvg(text, all, static_cast<mrv::ProgressChartId>(i));
    }
    svg_bytes = text.size();
  });
  const auto exported = Repeat(5, [&] {
    if (!mrv::ExportHtmlReport(viewer->document(), state->loaded_profile, {},
                               folder / "report" / "morv.html")
             .written) {
      std::abort();
    }
  });
  std::printf("profile: %d games, %ju bytes; the report's charts %zu bytes\n", kGames,
              static_cast<std::uintmax_t>(fs::file_size(folder / "Morv.mrv")), svg_bytes);
  Print("open_profile_ms", open);
  Print("progress_view_ms", view);
  Print("progress_select_ms", select);
  Print("progress_paint_ms", paint);
  Print("progress_svg_ms", svg);
  Print("profile_export_ms", exported);
  viewer.reset();
  state->profile_store.Close();
  fs::remove_all(folder);
  return 0;
}
