// morvane: the desktop program.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "files/data_folder.h"
#include "product.h"
#include "ui/about_window.h"
#include "ui/accessible_widgets.h"
#include "ui/capture_devices.h"
#include "ui/capture_recovery.h"
#include "ui/desktop_command_line.h"
#include "ui/file_dialogs.h"
#include "ui/html_export_dialog.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/profile_manager_window.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_window.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace {

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icon/morvane-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

// For scripted checks of an installed program, where nobody clicks: with the
// environment variable MORVANE_CLOSE_AFTER_MS set, every that many milliseconds the
// window in front is named on standard output and closed; with none left, the program
// ends.
void CloseWindowsOneByOne(QApplication& app) {
  bool valid = false;
  const int interval = qEnvironmentVariableIntValue("MORVANE_CLOSE_AFTER_MS", &valid);
  if (!valid || interval <= 0) return;
  auto* timer = new QTimer(&app);
  QObject::connect(timer, &QTimer::timeout, [] {
    QWidget* front = QApplication::activeModalWidget();
    if (front == nullptr) {
      std::puts("closing the program");
      std::fflush(stdout);
      QCoreApplication::quit();
      return;
    }
    std::printf("closing %s\n", qPrintable(front->objectName()));
    std::fflush(stdout);
    front->close();
  });
  timer->start(interval);
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto exit_code = mrv::ui::AnswerWithoutWindow(argc, argv)) return *exit_code;
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromStdString(mrv::ui::ApplicationTitle()));
  QApplication::setDesktopFileName(
      QString::fromLatin1(mrv::kApplicationId.data(), mrv::kApplicationId.size()));
  QApplication::setWindowIcon(ProgramIcon());
  mrv::ui::ApplyTheme(app);
  mrv::ui::InstallAccessibleWidgets();
  CloseWindowsOneByOne(app);

  const auto command_line = mrv::ui::ParseDesktopCommandLine(QCoreApplication::arguments());
  if (!command_line.error.isEmpty()) {
    std::fprintf(stderr, "morvane: %s\n", qPrintable(command_line.error));
    return 2;
  }
  const mrv::DataFolder folder = mrv::ChooseDataFolder(mrv::SystemDataFolderPlaces(command_line.dir));
  if (std::string error; !mrv::PrepareDataFolder(folder, error)) {
    mrv::ui::ErrorDialog(mrv::ui::PathText(error), QString::fromLatin1(mrv::kErrorCaption));
    return 1;
  }
  const QString folder_text = mrv::ui::PathText(mrv::DescribeDataFolder(folder));
  auto state = mrv::ui::StartProgram(folder, [&folder_text] { mrv::ui::ShowAboutWindow(folder_text); });
  if (!state) return 1;

  mrv::ui::QtFileDialogs file_dialogs;
  // The windows the viewer's menu opens: the profile manager that loads a profile for
  // "Add game to profile", and the HTML export dialog.
  mrv::ui::ViewerDialogs dialogs;
  dialogs.load_profile = mrv::ui::LoadProfileOnly;
  dialogs.export_html = [&file_dialogs](mrv::ui::ProgramState& program,
                                        const mrv::StatsViewer& viewer, QWidget* parent) {
    mrv::ui::ShowHtmlExport(program, viewer, file_dialogs, parent);
  };
  mrv::ui::ViewerWindowLauncher viewer(dialogs);
  mrv::ui::DesktopCaptureDevices capture_devices;
  mrv::ui::MainWindow main_window(std::move(state), file_dialogs, viewer, capture_devices);
  main_window.show();
  // First the captures a crash cut short, then the file named on the command line.
  QTimer::singleShot(0, &main_window, [&main_window, &viewer, &command_line] {
    mrv::ui::OfferUnfinishedCaptures(main_window.state(), viewer, &main_window);
    if (!command_line.file.isEmpty()) main_window.OpenFile(command_line.file);
  });
  return QApplication::exec();
}
