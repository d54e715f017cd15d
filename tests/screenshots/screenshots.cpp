// Renders the program's windows offscreen from the bundled samples and writes each as a
// PNG at the window's own size. A window joins by adding a line to kShots.
//
// usage: morvane-screenshots OUTDIR [--dense]   (scripts/screenshots.sh builds and runs it)
// With --dense it renders the shots marked dense at a scale of 2, as NAME@2x.png.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>

#include "support/generated_profile.h"
#include "support/paths.h"
#include "ui/about_window.h"
#include "ui/accessible_widgets.h"
#include "ui/capture_dialog.h"
#include "ui/clickable_label.h"
#include "ui/create_profile_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/html_export_dialog.h"
#include "ui/image_button.h"
#include "ui/log_file_column.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/popup_lines.h"
#include "ui/profile_manager_window.h"
#include "ui/progress_charts_view.h"
#include "ui/progress_window.h"
#include "ui/stats_viewer_window.h"
#include "ui/status_log.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "support/ui_fixtures.h"

namespace {

using namespace mrv;
namespace names = mrv::ui::names;

// What every shot may use: a started program over a scratch program folder.
struct ShotContext {
  ShotContext() : dir("screenshots") {
    test::FillDataDir(dir.path());
    state = test::StartedState(dir.path());
  }
  test::ScratchDir dir;
  std::unique_ptr<ui::ProgramState> state;  // taken by the shot that needs it whole
  ui::ScriptedFileDialogs dialogs;
  test::RecordingViewer viewer;
  test::TestCaptureDevices devices;
  std::unique_ptr<QWidget> window;  // the shot's window, or the one that owns it
};

// A shot makes its window, keeps it (or its owner) in the context and returns the
// widget to render.
struct Shot {
  const char* file;
  std::function<QWidget*(ShotContext&)> window;
  // Also rendered at twice the pixels, as FILE@2x.png, by the run with "--dense".
  bool dense = false;
};

template <class Window>
Window* Keep(ShotContext& context, std::unique_ptr<Window> window) {
  Window* shown = window.get();
  context.window = std::move(window);
  return shown;
}

// The recent files are a player's, not this machine's.
std::unique_ptr<ui::MainWindow> MainWindow(ShotContext& context) {
  context.state->settings.recent_files = {
      "/home/player/.q3a/q3ut4/qconsole.log",
      "/home/player/urban terror/logs/2024 season/clan match night.log", ""};
  return std::make_unique<ui::MainWindow>(std::move(context.state), context.dialogs, context.viewer,
                                     context.devices);
}

// The evening of long_session.log as a live capture of Morv, in the viewer, shown.
ui::StatsViewerWindow* Viewer(ShotContext& context) {
  test::LoadMonitoredSample(*context.state, "long_session");
  auto* viewer =
      Keep(context, std::make_unique<ui::StatsViewerWindow>(*context.state, ui::ViewerDialogs{}, nullptr));
  viewer->ReadGeometry();
  viewer->OpenGame({.monitor = true, .last_game = "2024-05-01 21:07"});
  viewer->show();
  return viewer;
}

template <class Window>
Window* Find(ShotContext& context, const QString& name) {
  return context.window->findChild<Window*>(name);
}

// A player's profile with a season of games, and two more beside it.
void WriteProfiles(const std::filesystem::path& dir) {
  test::WriteFileBytes(dir / "Morvane.mrv",
                       "[NOTES]\r\nClan matches on Fridays, public servers otherwise.\r\n"
                       "Sniper on abbey and casa.\r\n[ENOTES]\r\n[NICKNAMES]\r\nMorvane\r\n"
                       "|ULT|Morvane\r\nmorv\r\n[ENICKNAMES]\r\n[TOTALSTATS]\r\nGAMES=37\r\n"
                       "TIME=151245\r\nFIRSTGAME=2024-03-02 20:41\r\nLASTGAME=2024-06-14 "
                       "22:10\r\n[ETOTALSTATS]\r\n[GAMES]\r\n");
  test::WriteFileBytes(dir / "clan scrims.mrv",
                       "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\n|ULT|Morvane\r\n[ENICKNAMES]\r\n");
  test::WriteFileBytes(dir / "lan party.mrv",
                       "[NOTES]\r\n[ENOTES]\r\n[NICKNAMES]\r\nmorv\r\n[ENICKNAMES]\r\n");
}

// The capture dialog of either mode with the player's profile chosen; a log is never read.
ui::CaptureDialog* CaptureDialog(ShotContext& context, bool monitor) {
  WriteProfiles(context.dir.path());
  auto* dialog = Keep(context, monitor ? std::make_unique<ui::CaptureDialog>(
                                             *context.state, context.devices, context.dialogs)
                                       : std::make_unique<ui::CaptureDialog>(
                                             *context.state, context.devices, "qconsole.log"));
  dialog->findChild<QListWidget*>(names::kProfileList)->setCurrentRow(1);
  return dialog;
}

ui::CaptureDialog* MonitorDialog(ShotContext& context, const QString& tab) {
  ui::CaptureDialog* dialog = CaptureDialog(context, true);
  emit dialog->findChild<ui::ClickableLabel*>(tab)->clicked();
  return dialog;
}

// A capture of a game just begun, in sight: the live figures in the console box's place.
ui::CaptureDialog* LiveMonitorDialog(ShotContext& context) {
  context.devices.UseConsole(test::PlayedGameConsole());
  ui::CaptureDialog* dialog = CaptureDialog(context, true);
  dialog->show();
  dialog->findChild<QCheckBox*>(names::kMinimizeToTrayBox)->setChecked(false);
  emit dialog->findChild<ui::ImageButton*>(names::kOkButton)->clicked();
  auto* figures = dialog->findChild<QLabel*>(names::kLiveFigures);
  if (!QTest::qWaitFor([figures] { return figures->text().endsWith(QLatin1String("given: 2")); },
                       10000)) {
    std::fputs("morvane-screenshots: the capture counted nothing\n", stderr);
  }
  return dialog;
}

const Shot kShots[] = {
    {"main.png",
     [](ShotContext& context) -> QWidget* { return Keep(context, MainWindow(context)); }, true},
    // The pointer on the parse button, which was clicked: its text and the recent files.
    {"main-recent.png",
     [](ShotContext& context) -> QWidget* {
       auto* main = Keep(context, MainWindow(context));
       main->show();
       test::Click(*main, names::kParseButton);
       test::MoveTo(*main->findChild<QWidget*>(names::kParseButton), {100, 20});
       return main;
     }},
    // A profile shown, a nickname just added: the frame around Save blinks.
    {"profiles.png",
     [](ShotContext& context) -> QWidget* {
       WriteProfiles(context.dir.path());
       ui::ProgramState& state = *context.state;
       auto* manager = Keep(context, std::make_unique<ui::ProfileManagerWindow>(
                                         state.data_dir, state.profile_store, state.loaded_profile));
       manager->SetProfileViewer([](QWidget*) { return std::string(); });
       Find<QListWidget>(context, names::kProfileList)->setCurrentRow(1);
       Find<QLineEdit>(context, names::kNicknameEntry)->setText(QStringLiteral("Morv^7ane"));
       emit Find<ui::ImageButton>(context, names::kAddButton)->clicked();
       QMetaObject::invokeMethod(Find<QTimer>(context, names::kSaveBlinkTimer), "timeout");
       return manager;
     }},
    {"create-profile.png",
     [](ShotContext& context) -> QWidget* {
       auto* dialog = Keep(context, std::make_unique<ui::CreateProfileDialog>(context.dir.path()));
       Find<QLineEdit>(context, names::kProfileNameField)->setText(QStringLiteral("Morvane"));
       Find<QLineEdit>(context, names::kFirstNicknameField)
           ->setText(QStringLiteral("|ULT|Morvane"));
       Find<QPlainTextEdit>(context, names::kProfileNotes)
           ->setPlainText(QStringLiteral("Clan matches on Fridays."));
       return dialog;
     }},
    // A log two thirds read; the status lines are a player's, not this machine's.
    {"parse-dialog.png",
     [](ShotContext& context) -> QWidget* {
       ui::CaptureDialog* dialog = CaptureDialog(context, false);
       auto* status = dialog->findChild<ui::StatusLog*>(names::kStatusLog);
       status->Add(QStringLiteral("/home/player/.q3a/q3ut4/qconsole.log"));
       status->Add(QStringLiteral("2483719 bytes"));
       status->Add(QStringLiteral("Select player profile for death hit stats generation"));
       dialog->findChild<ui::LogFileColumn*>()->ShowProgress(64);
       return dialog;
     }},
    {"monitor-dialog.png",
     [](ShotContext& context) -> QWidget* {
       return MonitorDialog(context, names::kFragOptionsTab);
     }},
    {"monitor-dialog-hits.png",
     [](ShotContext& context) -> QWidget* {
       return MonitorDialog(context, names::kHitOptionsTab);
     }},
    {"monitor-dialog-live.png",
     [](ShotContext& context) -> QWidget* { return LiveMonitorDialog(context); }},
    {"about.png",
     [](ShotContext& context) -> QWidget* {
       return Keep(context, std::make_unique<ui::AboutWindow>(QStringLiteral("/home/morv/.local/share/morvane (the user's data folder)")));
     }},
    {"message.png",
     [](ShotContext& context) -> QWidget* {
       auto* box = Keep(context, std::make_unique<ui::MessageDialog>());
       box->SetCaption(QStringLiteral("Rename map"));
       box->SetMessageText(QStringLiteral("Type the new name of the map:"));
       box->SetOk(true);
       box->SetCancel(true);
       box->SetInput(true);
       box->SetInputText(QStringLiteral("ut4_abbey"));
       return box;
     }},
    // Morv chosen: his figures and the kills-and-deaths tab.
    {"viewer.png",
     [](ShotContext& context) -> QWidget* {
       ui::StatsViewerWindow* viewer = Viewer(context);
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Morv"));
       return viewer;
     }},
    {"viewer-hits.png", [](ShotContext& context) -> QWidget* { return Viewer(context); }, true},
    // Grown: the lists and the weapon grids take the room, the body map keeps its size.
    {"viewer-large.png",
     [](ShotContext& context) -> QWidget* {
       ui::StatsViewerWindow* viewer = Viewer(context);
       viewer->resize(1280, 800);
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Morv"));
       return viewer;
     }},
    {"viewer-profile.png",
     [](ShotContext& context) -> QWidget* {
       test::CreateSampleProfile(*context.state, "Morv",
                                 {{"2024-04-26 20:15", "ctf_abbey"},
                                  {"2024-04-28 21:40", "ts_two_maps"},
                                  {"2024-05-01 21:07", "long_session"}});
       ui::ProgramState& state = *context.state;
       LoadProfile(state.profile_store, "Morv.mrv", state.loaded_profile);
       auto* viewer =
           Keep(context, std::make_unique<ui::StatsViewerWindow>(state, ui::ViewerDialogs{}, nullptr));
       viewer->OpenProfile();
       return viewer;
     }},
    {"overall.png",
     [](ShotContext& context) -> QWidget* {
       test::ChooseMenuSlot(*Viewer(context), 5);
       return Find<QWidget>(context, names::kOverallWindow);
     }},
    {"weapon-details.png",
     [](ShotContext& context) -> QWidget* {
       ui::StatsViewerWindow* viewer = Viewer(context);
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Morv"));
       QTest::mouseClick(Find<QWidget>(context, names::kKillsDetailsButton), Qt::LeftButton);
       return Find<QWidget>(context, names::kWeaponDetailsWindow);
     }},
    {"one-on-one.png",
     [](ShotContext& context) -> QWidget* {
       ui::StatsViewerWindow* viewer = Viewer(context);
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Morv"));
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Fak"),
                      Qt::ControlModifier);
       test::ChooseMenuSlot(*viewer, 6);
       return Find<QWidget>(context, "OneOnOneWindow");
     }},
    // The menu of a live capture with the pointer on " Overall stats".
    {"menu.png",
     [](ShotContext& context) -> QWidget* {
       Viewer(context);
       QTest::mouseClick(Find<QWidget>(context, names::kMenuLabel), Qt::LeftButton);
       auto* menu = Find<ui::PopupLines>(context, names::kMenuPopup);
       QTest::mouseMove(menu, ui::PopupLines::LinePoint(4));
       return menu;
     }},
    // A season of about 30 games, the pointer on one of them in the K/D chart.
    {"progress.png",
     [](ShotContext& context) -> QWidget* {
       ui::ProgramState& state = *context.state;
       test::WriteGeneratedProfile(context.dir / "Morvane.mrv", 31, state.weapons.size());
       LoadProfile(state.profile_store, "Morvane.mrv", state.loaded_profile);
       auto* viewer = Keep(
           context, std::make_unique<ui::StatsViewerWindow>(state, ui::ViewerDialogs{}, nullptr));
       viewer->OpenProfile();
       viewer->show();
       test::ChooseMenuSlot(*viewer, 3);
       auto* progress = Find<ui::ProgressWindow>(context, names::kProgressWindow);
       auto* charts = Find<ui::ProgressChartsView>(context, names::kProgressCharts);
       const ChartLayout& ratio = charts->charts().at(1);
       const QPointF game(ratio.XOf(20), ratio.plot.center().y());
       QTest::mouseMove(progress->windowHandle(), charts->mapTo(progress, game.toPoint()));
       return progress;
     }},
    // Over the viewer with Morv chosen, as its menu's " Export to HTML" opens it.
    {"export-dialog.png",
     [](ShotContext& context) -> QWidget* {
       ui::StatsViewerWindow* viewer = Viewer(context);
       test::ClickRow(*viewer, names::kPlayerList, viewer->document().FindPlayer("Morv"));
       return new ui::HtmlExportDialog(viewer->document(), context.state->loaded_profile,
                                context.state->settings.last_dir, context.dialogs, viewer);
     }},
};

bool Render(const Shot& shot, const QString& out_dir, bool dense) {
  ShotContext context;
  QWidget* window = shot.window(context);
  window->show();
  QApplication::processEvents();
  QString file = QLatin1String(shot.file);
  if (dense) file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
  const QString path = out_dir + QLatin1Char('/') + file;
  if (!window->grab().save(path)) {
    std::fprintf(stderr, "morvane-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s %dx%d\n", qPrintable(file), window->width(), window->height());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // "--dense": the shots marked dense, as a screen of two pixels per pixel shows them.
  const bool dense = argc == 3 && std::string_view(argv[2]) == "--dense";
  if (dense) qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  if (argc != 2 && !dense) {
    std::fputs("usage: morvane-screenshots OUTDIR [--dense]\n", stderr);
    return 2;
  }
  ui::ApplyTheme(app);
  ui::InstallAccessibleWidgets();
  const QString out_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out_dir);
  bool all = true;
  for (const Shot& shot : kShots) {
    if (!dense || shot.dense) all = Render(shot, out_dir, dense) && all;
  }
  return all ? 0 : 1;
}
