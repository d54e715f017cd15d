// How the main window opens the stats viewer. The viewer's window implements
// ViewerLauncher; main hands one to the main window, tests a recording one. Every road
// to the viewer (a capture, a parse, a loaded game) goes through OpenStatsViewer.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace mrv::ui {

struct ProgramState;

struct ViewerOpening {
  // The game comes from the console monitor or a saved game: it carries time and the
  // own player's figures (false after a log file was parsed).
  bool monitor = false;
  // A loaded saved game's name; otherwise the viewer names the game by its creation time.
  std::optional<std::string> last_game;
};

class ViewerLauncher {
 public:
  virtual ~ViewerLauncher() = default;
  // Creates the viewer on state.database with the opening's properties, rebuilds its
  // map list with "all maps" selected, refreshes the overview, shows it modally over
  // `parent` and destroys it when it closes.
  virtual void ShowGame(ProgramState& state, const ViewerOpening& opening, QWidget* parent) = 0;
};

// The viewer on the current store; when it has closed, the store is cleared and the
// loaded profile released.
void OpenStatsViewer(ProgramState& state, ViewerLauncher& launcher, const ViewerOpening& opening,
                     QWidget* parent);

}  // namespace mrv::ui
