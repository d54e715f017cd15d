// The stats viewer as a document without widgets: everything the viewer window and its
// three secondary windows (overall table, weapon details, one-on-one) show, and every
// action a user can take in them, as plain state and plain operations.
//
// Who owns what. The opener (the main window, or `morvane-cli export`) owns the store
// (StatsStore), the weapon table, the profile component (ProfileStore) and the LoadedProfile
// slot, and keeps them alive while the document lives. The store changes only through
// the document's own actions (deleting and renaming a map) while it is open: the
// document reads every map's kill table once, when the game is opened. The document
// owns everything the windows show: the lists and their selections, the labels' texts,
// the grids, the secondary windows' models and their visibility. The body map is a
// picture of the hits grid, which the window draws for its screen (body_map.h).
// The widgets own nothing but their looks: they draw the document's state and forward
// the user's actions to the methods below. Each action returns the parts it changed,
// so that the widgets redraw only those; no Qt signals are involved.
//
// Game mode, as the main window opens a saved game (Monitor set, its name as LastGame;
// a capture passes its Monitor flag, no name, and that no file holds it yet):
//   StatsViewer viewer({store, weapons, data_dir, prompt, profile_store, loaded}, hooks);
//   ViewerChanges changed = viewer.OpenGame(true, game_name);  // "all maps", refreshed
//   changed = viewer.ClickMap(2, /*ctrl=*/true);               // every click refreshes
//   changed = viewer.ClickPlayer(viewer.FindPlayer("Morv"), false);
//   if (viewer.CanClose()) viewer.Finish();                    // then close the window
// Profile mode, once the profile manager has opened the profile (profile_store Active) and
// filled `loaded`:
//   viewer.OpenProfile();                  // "<all games>": the profile's totals
//   viewer.SelectGames({1, 2});            // the sum of games 1 and 2
// Profile mode reads every game's few figures once, when it opens (GameFigures), and
// keeps the progress over the selected games (progress()) for the Progress window and
// the report; a selection rebuilds it from those figures, never from the file.
// A read failure in profile mode sets error_message() and asks to close.
//
// Questions and messages go through the Prompt; the opener supplies the two dialogs the
// document cannot show itself (ViewerHooks). A ViewerPart::kCloseRequest asks the window
// to close: its close handler runs CanClose() (the close query, also for the title
// strip's close button) and, when that agrees, Finish(). A ViewerPart::kFatalError is
// the caller's to show in the platform's error dialog before it ends the program.
// Left to the window: the menu's and popup's showing and hiding, the rows under the
// mouse, the windows' geometry in stats.ini and the message when stats.ini is missing
// at creation. Everything runs on one thread.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/game_figures.h"
#include "files/profile_store.h"
#include "files/prompt.h"
#include "model/stats_store.h"
#include "model/weapons.h"
#include "views/grids.h"
#include "views/overall_table.h"
#include "views/player_list.h"
#include "views/player_stats.h"
#include "views/progress_series.h"
#include "views/viewer_changes.h"
#include "views/viewer_labels.h"
#include "views/viewer_menu.h"
#include "views/weapon_details.h"

namespace mrv {

struct ViewerContext {
  StatsStore& store;
  const WeaponTable& weapons;
  std::filesystem::path data_dir;  // saved games go to its "games" folder
  Prompt& prompt;
  ProfileStore& profile_store;
  LoadedProfile& loaded_profile;
};

struct ViewerHooks {
  // "Add game to profile" with no profile loaded: shows the profile manager with
  // LoadOnly set, modally. It may load a profile into the LoadedProfile slot.
  std::function<void()> load_profile;
  // " Export to HTML": shows the export dialog modally; it reads this document.
  std::function<void()> export_html;
};

enum class CentreTab { kHitsGiven, kHitsTaken, kKillsAndDeaths };

inline constexpr const char* kNoDecidingHitsInALog =
    "No deciding hits to show: in a log file they are counted only for the nicknames of "
    "the player profile chosen before parsing it.";
enum class HitKind { kHits, kHitsTaken, kDeathHits, kDeathHitsTaken };
enum class ViewerWindow { kOverall, kWeaponDetails, kOneOnOne, kProgress };

// One half of the one-on-one window.
struct OneOnOneSide {
  std::string nickname = "Select Nickname";
  PlayerPanel panel = BarePlayerPanel();
  Grid kills;
  Grid deaths;
};

class StatsViewer {
 public:
  // LastGame becomes the current date and time; the lists are empty, the body map is the
  // base picture, the grids have their rows.
  explicit StatsViewer(ViewerContext context, ViewerHooks hooks = {});
  StatsViewer(const StatsViewer&) = delete;
  StatsViewer& operator=(const StatsViewer&) = delete;

  // --- Opening and closing -----------------------------------------------------------
  // Game mode: the map list from the store with "all maps" selected, then a refresh.
  // A saved game's name replaces LastGame. A game `never_saved` (a capture, or one
  // recovered from its journal) starts unsaved, so that closing it asks first.
  ViewerChanges OpenGame(bool monitor, const std::optional<std::string>& game_name = {},
                         bool never_saved = false);
  // Profile mode on the open profile: the games list with "<all games>" selected.
  ViewerChanges OpenProfile();
  // The close query: asks about a game not added to the loaded profile, or about
  // unsaved changes. True when the viewer may close.
  bool CanClose();
  // What closing does besides the windows: closes the loaded profile's file.
  void Finish();

  // --- User actions ------------------------------------------------------------------
  // A left click on a map row (0 is "all maps"): Ctrl toggles a selected row off, a plain
  // click selects that row alone. Hides the weapon details and refreshes.
  ViewerChanges ClickMap(int row, bool ctrl);
  // A left click on a player row: shows his figures; Ctrl keeps other selected rows, and
  // on a selected row deselects it, leaving the shown figures as they are.
  ViewerChanges ClickPlayer(int row, bool ctrl);
  // Profile mode: the games list's selection becomes exactly these entries (0 is
  // "<all games>"), then the profile view is read again.
  ViewerChanges SelectGames(const std::vector<int>& entries);
  ViewerChanges PressTab(CentreTab tab);
  ViewerChanges PressDecidingHits();
  // The details buttons beside "Kills:" and "Deaths:": the weapon details of the shown
  // player, shown and filled.
  ViewerChanges OpenWeaponDetails(bool kills);
  ViewerChanges ClickOverallColumn(int column);
  // A row of the overall table became selected: a plain click on that player.
  ViewerChanges SelectOverallRow(int row);
  ViewerChanges ClickDetailsColumn(int column);
  // The four details buttons of the one-on-one window (side 0 is the left one).
  ViewerChanges OpenOneOnOneDetails(int side, bool kills);
  // A secondary window's close button.
  ViewerChanges HideWindow(ViewerWindow window);
  // Slot 1 to 7 of the menu, as its caption says; grey and absent slots do nothing.
  ViewerChanges RunMenuSlot(int slot);
  // The map popup, for map row `row` (1 or more): each asks first.
  ViewerChanges DeleteMap(int row);
  ViewerChanges RenameMap(int row);

  // --- State ---------------------------------------------------------------------------
  bool monitor() const { return monitor_; }
  bool profile_mode() const { return profile_; }
  const std::string& last_game() const { return last_game_; }
  // Why profile mode could not read the profile; for the profile manager to show.
  const std::string& error_message() const { return error_message_; }
  const std::string& fatal_error() const { return fatal_error_; }
  bool saved() const { return saved_; }
  bool added_to_profile() const { return added_to_profile_; }

  const std::vector<ListEntry>& maps() const { return maps_; }  // entry 0 "all maps"
  const PlayerList& players() const { return players_; }
  const std::vector<ListEntry>& games() const { return games_; }  // entry 0 "<all games>"
  const std::string& games_count_line() const { return games_count_line_; }
  // The maps in the selection, in store order: every map when "all maps" is selected.
  MapSelection SelectedMaps() const;
  // The row of the nickname in the player list, ignoring case, or -1.
  int FindPlayer(const std::string& nick) const;
  // The figures of a player-list row over the selected maps (CollectPlayerStats).
  const PlayerStats& PlayerStatsOf(int row) const;

  const std::string& shown_nickname() const { return shown_nickname_; }
  const PlayerPanel& player_panel() const { return panel_; }
  const YourStats& your_stats() const { return your_stats_; }
  bool your_stats_visible() const { return !profile_ ? monitor_ : true; }
  const TeamTotalLabels& team_totals() const { return team_totals_; }
  const Grid& kills_grid() const { return kills_grid_; }    // lwith
  const Grid& deaths_grid() const { return deaths_grid_; }  // lwas
  CentreTab tab() const { return tab_; }
  bool deciding_hits() const { return deciding_hits_; }
  const Grid& hits_grid() const { return hits_grid_; }
  // Why the hits panel is empty when that needs saying, else empty.
  const std::string& hits_note() const { return hits_note_; }
  // The hit counts of a kind: summed over the selected maps, or the profile's.
  LocationTotals HitCounts(HitKind kind) const;

  const OverallTable& overall() const { return overall_; }
  const WeaponDetails& weapon_details() const { return details_; }
  const std::array<OneOnOneSide, 2>& one_on_one() const { return one_on_one_; }
  bool one_on_one_visible() const { return one_on_one_visible_; }
  ViewerMenu menu() const;

  // Profile mode: every game's figures, the newest first as the games list shows them;
  // the progress over the games selected there ("<all games>": every game); whether the
  // Progress window is shown; why the figures could not be read (empty when they were).
  const std::vector<GameFigures>& game_figures() const { return game_figures_; }
  const Progress& progress() const { return progress_; }
  bool progress_visible() const { return progress_visible_; }
  const std::string& progress_error() const { return progress_error_; }

 private:
  // The steps the actions share; each records what it changed in changes_.
  void Mark(ViewerChanges parts) { changes_ |= parts; }
  ViewerChanges TakeChanges();
  void RebuildMapList();
  void RefreshOverview();
  void ShowPlayerRow(int row, bool ctrl);
  void ShowTab(CentreTab tab);
  void RedrawHits();
  void FillDetails(bool kills, const Grid& grid, const std::string& nick);
  DetailsSource Source(const MapSelection& maps) const;
  void ProfileView();
  // The games list read again from the profile, "<all games>" selected, and the view of
  // it; a failure sets error_message() and asks to close.
  void ListProfileGames();
  void SetGamesCountLine();
  void RebuildProgress();
  void Save();
  void AddGameToLoadedProfile();
  void RemoveGames();
  void Compare();

  ViewerContext context_;
  ViewerHooks hooks_;
  ViewerChanges changes_;

  bool monitor_ = false;
  bool profile_ = false;
  std::string last_game_;
  std::string error_message_;
  std::string fatal_error_;
  bool saved_ = true;
  bool added_to_profile_ = false;

  std::vector<MapFigures> figures_;  // one per map of the store, in store order
  std::vector<ListEntry> maps_;
  std::vector<MergedPlayer> merged_;  // the player list's rows with their figures
  PlayerList players_;
  std::vector<ListEntry> games_;
  std::string games_count_line_;

  std::string shown_nickname_;
  PlayerPanel panel_ = BarePlayerPanel();
  YourStats your_stats_;
  TeamTotalLabels team_totals_;
  Grid kills_grid_;
  Grid deaths_grid_;
  CentreTab tab_ = CentreTab::kHitsGiven;
  bool deciding_hits_ = false;
  Grid hits_grid_;
  std::string hits_note_;

  OverallTable overall_;
  WeaponDetails details_;
  std::array<OneOnOneSide, 2> one_on_one_;
  bool one_on_one_visible_ = false;

  std::vector<GameFigures> game_figures_;  // one per entry of games_ after "<all games>"
  std::string progress_error_;
  Progress progress_;
  bool progress_visible_ = false;
};

}  // namespace mrv
