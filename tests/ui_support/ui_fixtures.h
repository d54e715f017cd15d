// What desktop tests and the screenshot program share: a program folder to start from
// and a stats viewer that records how it was opened.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/paths.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_launcher.h"

namespace mrv::test {

// Copies the shipped stats.ini (past its first start) and DeathMsgs.txt into `dir`.
void FillProgramDir(const std::filesystem::path& dir);

// The state a start in a filled program folder gives; null when its settings are unusable.
std::unique_ptr<ui::ProgramState> StartedState(const std::filesystem::path& dir);

class RecordingViewer final : public ui::ViewerLauncher {
 public:
  struct Opened {
    ui::ViewerOpening opening;
    int maps = 0;                 // in the current store while the viewer ran
    bool parent_visible = false;  // the window that opened it
  };
  void ShowGame(ui::ProgramState& state, const ui::ViewerOpening& opening,
                QWidget* parent) override;
  // Records the loaded profile's name (empty when none) and returns `profile_error`.
  std::string ShowProfile(ui::ProgramState& state, QWidget* parent) override;

  std::vector<Opened> opened;
  std::vector<std::string> profiles_shown;
  std::string profile_error;
};

}  // namespace mrv::test
