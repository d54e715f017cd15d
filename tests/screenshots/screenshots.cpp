// Renders the program's windows offscreen from the bundled samples and writes each as a
// PNG at the window's own size. A window joins by adding a line to kShots.
//
// usage: morvane-screenshots OUTDIR   (scripts/screenshots.sh builds and runs it)
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <cstdio>
#include <functional>
#include <memory>

#include "support/paths.h"
#include "ui/about_window.h"
#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui_support/ui_fixtures.h"

namespace {

using namespace mrv;

// What every shot may use: a started program over a scratch program folder.
struct ShotContext {
  ShotContext() : dir("screenshots") {
    test::FillProgramDir(dir.path());
    state = test::StartedState(dir.path());
  }
  test::ScratchDir dir;
  std::unique_ptr<ui::ProgramState> state;  // taken by the shot that needs it whole
  ui::ScriptedFileDialogs dialogs;
  test::RecordingViewer viewer;
};

struct Shot {
  const char* file;
  std::function<std::unique_ptr<QWidget>(ShotContext&)> window;
};

// The recent files are a player's, not this machine's.
std::unique_ptr<ui::TMain> MainWindow(ShotContext& context) {
  context.state->settings.recent_files = {
      "/home/player/.q3a/q3ut4/qconsole.log",
      "/home/player/urban terror/logs/2024 season/clan match night.log", ""};
  return std::make_unique<ui::TMain>(std::move(context.state), context.dialogs, context.viewer);
}

const Shot kShots[] = {
    {"main.png",
     [](ShotContext& context) -> std::unique_ptr<QWidget> { return MainWindow(context); }},
    // The pointer on the parse button, which was clicked: its text and the recent files.
    {"main-recent.png",
     [](ShotContext& context) -> std::unique_ptr<QWidget> {
       auto main = MainWindow(context);
       auto* parse = main->findChild<ui::Timgbtn*>(QStringLiteral("imgparse"));
       QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
       QApplication::sendEvent(parse, &enter);
       emit parse->clicked();
       return main;
     }},
    {"about.png",
     [](ShotContext&) -> std::unique_ptr<QWidget> { return std::make_unique<ui::Tfsplash>(); }},
    {"message.png",
     [](ShotContext&) -> std::unique_ptr<QWidget> {
       auto box = std::make_unique<ui::TMessageForm>();
       box->SetCaption(QStringLiteral("Rename map"));
       box->SetMessageText(QStringLiteral("Type the new name of the map:"));
       box->SetOk(true);
       box->SetCancel(true);
       box->SetInput(true);
       box->SetInputText(QStringLiteral("ut4_abbey"));
       return box;
     }},
};

bool Render(const Shot& shot, const QString& out_dir) {
  ShotContext context;
  std::unique_ptr<QWidget> window = shot.window(context);
  window->show();
  QApplication::processEvents();
  const QString path = out_dir + QLatin1Char('/') + QLatin1String(shot.file);
  if (!window->grab().save(path)) {
    std::fprintf(stderr, "morvane-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s %dx%d\n", shot.file, window->width(), window->height());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: morvane-screenshots OUTDIR\n", stderr);
    return 2;
  }
  ui::ApplyTheme(app);
  const QString out_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out_dir);
  bool all = true;
  for (const Shot& shot : kShots) all = Render(shot, out_dir) && all;
  return all ? 0 : 1;
}
