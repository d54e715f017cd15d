// morvane: the desktop program.
#include <QApplication>

#include "ui/about_window.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_launcher.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace {

// Stands in for the stats viewer until its window is built: says what was loaded.
class ViewerPending final : public mrv::ui::ViewerLauncher {
 public:
  void ShowGame(mrv::ui::ProgramState& state, const mrv::ui::ViewerOpening& opening,
                QWidget* parent) override {
    mrv::ui::InformationBox(
        QStringLiteral("%1\n%2 map(s) read.\nThe stats viewer is not part of this build yet.")
            .arg(mrv::ui::FromGameText(opening.last_game.value_or("")))
            .arg(state.database.size()),
        QStringLiteral("Morvane"), parent);
  }
  std::string ShowProfile(mrv::ui::ProgramState&, QWidget* parent) override {
    mrv::ui::InformationBox(QStringLiteral("The stats viewer is not part of this build yet."),
                            QStringLiteral("Morvane"), parent);
    return {};
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromLatin1(mrv::ui::kApplicationTitle));
  mrv::ui::ApplyTheme(app);

  const auto program_dir = mrv::ui::PathFromText(QCoreApplication::applicationDirPath());
  auto state = mrv::ui::StartProgram(program_dir, [] { mrv::ui::ShowAboutWindow(); });
  if (!state) return 1;

  mrv::ui::QtFileDialogs file_dialogs;
  ViewerPending viewer;
  mrv::ui::TMain main_window(std::move(state), file_dialogs, viewer);
  main_window.show();
  return QApplication::exec();
}
