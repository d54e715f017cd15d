#include "ui/stats_viewer_launcher.h"

#include "ui/program_state.h"

namespace mrv::ui {

void OpenStatsViewer(ProgramState& state, ViewerLauncher& launcher, const ViewerOpening& opening,
                     QWidget* parent) {
  launcher.ShowGame(state, opening, parent);
  ClearMaps(state.store);
  state.loaded_profile.reset();
}

}  // namespace mrv::ui
