// morvane: the desktop program.
#include <QApplication>

#include "ui/about_window.h"
#include "ui/capture_devices.h"
#include "ui/file_dialogs.h"
#include "ui/html_export_dialog.h"
#include "ui/main_window.h"
#include "ui/profile_manager_window.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_window.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromLatin1(mrv::ui::kApplicationTitle));
  mrv::ui::ApplyTheme(app);

  const auto data_dir = mrv::ui::PathFromText(QCoreApplication::applicationDirPath());
  auto state = mrv::ui::StartProgram(data_dir, [] { mrv::ui::ShowAboutWindow(); });
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
  return QApplication::exec();
}
