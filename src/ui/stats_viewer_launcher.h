// How the other windows open the stats viewer. The viewer's window implements
// ViewerLauncher; main hands one to the main window (and the profile manager), tests a
// recording one. Every road to the viewer in game mode (a capture, a parse, a loaded
// game) goes through OpenStatsViewer; the profile manager's Open calls ShowProfile.
#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace mrv {
class StatsViewer;
}

namespace mrv::ui {

struct ProgramState;

struct ViewerOpening {
  // The game comes from the console monitor or a saved game: it carries time and the
  // own player's figures (false after a log file was parsed).
  bool monitor = false;
  // A loaded saved game's name; otherwise the viewer names the game by its creation time.
  std::optional<std::string> last_game;
  // No file holds the game yet (a capture, or one recovered from its journal): closing
  // the viewer asks first.
  bool never_saved = false;
};

// The two windows the viewer opens from its menu that other parts of the program build.
// main fills them when it creates the launcher; while one is empty, its menu action
// stops where that window would open.
struct ViewerDialogs {
  // Step 2 of "Add game to profile" when no profile is loaded: the profile manager with
  // LoadOnly set, modal over `parent`. Loading a profile leaves state.profile_store open on
  // it and state.loaded_profile filled; the viewer then adds the game.
  std::function<void(ProgramState& state, QWidget* parent)> load_profile;
  // " Export to HTML", in both modes: the export dialog, modal over `parent`. It reads
  // what `viewer` shows (labels, grids, lists, selections, the loaded profile).
  std::function<void(ProgramState& state, const StatsViewer& viewer, QWidget* parent)> export_html;
};

class ViewerLauncher {
 public:
  virtual ~ViewerLauncher() = default;
  // Creates the viewer on state.store with the opening's properties, rebuilds its
  // map list with "all maps" selected, refreshes the overview, shows it modally over
  // `parent` and destroys it when it closes.
  virtual void ShowGame(ProgramState& state, const ViewerOpening& opening, QWidget* parent) = 0;
  // Profile mode, for the profile manager's Open once it has opened the profile
  // (state.profile_store active on it) and filled state.loaded_profile: the viewer with the
  // profile's games and "<all games>" selected, shown modally over `parent` and
  // destroyed when it closes. Returns the viewer's ErrorMessage: empty, or why the
  // profile could not be read, for the manager to show. The manager then closes the
  // profile and releases state.loaded_profile.
  virtual std::string ShowProfile(ProgramState& state, QWidget* parent) = 0;
};

// The viewer on the current store; when it has closed, the store is cleared and the
// loaded profile released.
void OpenStatsViewer(ProgramState& state, ViewerLauncher& launcher, const ViewerOpening& opening,
                     QWidget* parent);

}  // namespace mrv::ui
