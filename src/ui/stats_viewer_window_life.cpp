// The stats viewer window's life: its places from stats.ini, the modal run, the close
// with its query and closing steps, the fatal end, and the launcher that runs it all.
#include <QCoreApplication>

#include "files/settings.h"
#include "ui/message_dialog.h"
#include "ui/one_on_one_window.h"
#include "ui/player_table_window.h"
#include "ui/popup_lines.h"
#include "ui/program_state.h"
#include "ui/progress_window.h"
#include "ui/stats_viewer_window.h"
#include "ui/ui_text.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

// The viewer's own wording of the start-up message, for stats.ini gone since the start.
constexpr const char* kSettingsMissingMessage =
    "\r\nThe initialization file was not found or it's corrupted!\n\rThe program will be "
    "terminated!";

}  // namespace

bool StatsViewerWindow::ReadGeometry() {
  const std::optional<ViewerGeometry> stored = ReadViewerGeometry(state_.data_dir);
  if (!stored) return false;
  move(stored->viewer.left, stored->viewer.top);
  // Never below the smallest size, which a size never stored (0 x 0) gives.
  resize(stored->viewer.width, stored->viewer.height);
  KeepOnScreen(*this);
  if (stored->viewer_maximised) setWindowState(windowState() | Qt::WindowMaximized);
  if (one_on_one_ != nullptr && stored->one_on_one) {
    one_on_one_->resize(stored->one_on_one->width, stored->one_on_one->height);
  }
  const std::pair<PlayerTableWindow*, const std::optional<WindowGeometry>*> tables[] = {
      {overall_, &stored->overall}, {details_, &stored->weapon_details}};
  for (const auto& [window, geometry] : tables) {
    if (window == nullptr || !*geometry) continue;
    window->SetGeometry(**geometry);
    KeepOnScreen(*window);
  }
  return true;
}

void StatsViewerWindow::Run() {
  if (close_requested_) {
    done(QDialog::Rejected);
  } else {
    exec();
  }
}

void StatsViewerWindow::done(int result) {
  if (closed_ || !document_.CanClose()) return;
  closed_ = true;
  menu_->hide();
  ViewerGeometry places;
  // A maximised window keeps the place and size it comes back to.
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  places.viewer = {normal.y(), normal.x(), normal.width(), normal.height()};
  places.viewer_maximised = isMaximized();
  if (overall_ != nullptr) places.overall = overall_->Geometry();
  if (details_ != nullptr) places.weapon_details = details_->Geometry();
  if (one_on_one_ != nullptr) {
    const QSize size = one_on_one_->isMaximized() ? one_on_one_->normalGeometry().size()
                                                  : one_on_one_->size();
    places.one_on_one = WindowGeometry{0, 0, size.width(), size.height()};
  }
  if (!SaveSettings(state_.data_dir, state_.settings, places)) TellSettingsUnsaved(state_, this);
  for (QDialog* secondary :
       std::initializer_list<QDialog*>{overall_, details_, one_on_one_, progress_}) {
    if (secondary == nullptr) continue;
    secondary->blockSignals(true);
    secondary->hide();
    secondary->deleteLater();
  }
  overall_ = details_ = nullptr;
  one_on_one_ = nullptr;
  progress_ = nullptr;
  document_.Finish();
  QDialog::done(result);
}

void StatsViewerWindow::EndWithFatalError() {
  ErrorDialog(MessageText(document_.fatal_error()), QString::fromLatin1(kErrorCaption), this);
  QCoreApplication::exit(1);
  if (isVisible()) {
    close();
  } else {
    close_requested_ = true;
  }
}

void ViewerWindowLauncher::ShowGame(ProgramState& state, const ViewerOpening& opening,
                                    QWidget* parent) {
  RunViewer(state, parent, [&opening](StatsViewerWindow& viewer) { viewer.OpenGame(opening); });
}

std::string ViewerWindowLauncher::ShowProfile(ProgramState& state, QWidget* parent) {
  return RunViewer(state, parent, [](StatsViewerWindow& viewer) { viewer.OpenProfile(); });
}

std::string ViewerWindowLauncher::RunViewer(ProgramState& state, QWidget* parent,
                                            const std::function<void(StatsViewerWindow&)>& open) {
  StatsViewerWindow viewer(state, dialogs_, parent);
  const bool settings_found = viewer.ReadGeometry();
  // The game in memory is not thrown away with the settings: the viewer still opens, so
  // that it can be saved, and the program ends after it.
  if (!settings_found) {
    InformationBox(MessageText(kSettingsMissingMessage), QStringLiteral("ERROR!"), parent);
  }
  open(viewer);
  viewer.Run();
  if (!settings_found) QCoreApplication::exit(1);
  return viewer.ErrorMessage();
}

}  // namespace mrv::ui
