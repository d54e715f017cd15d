// StatsViewerWindow, the stats viewer's window (841 x 523 at its smallest, resizable and
// maximisable: its lists and grids take the room, the body map keeps its size), and the
// three secondary windows it owns in game mode: the overall table, the weapon details and
// the one-on-one window.
//
// Who owns what. The window owns the viewer's document (StatsViewer), which holds every
// figure and every selection; the widgets only draw the document and forward each user
// action to it, then redraw the parts the action changed (Apply). The program's state
// (the store, the weapons, the profile component and the loaded profile) belongs to
// the opener and is lent for the window's life.
//
// Its widgets: the title strip's menu label, which opens the menu; the map list with
// its popup and the player list (both row_list.h); the games list with its count line in
// profile mode; the middle column (viewer_side_panel.h) and the centre
// (viewer_centre.h); in profile mode the Progress window (progress_window.h). Their object
// names are in object_names.h.
//
// Its life, as ViewerWindowLauncher runs it: created (the secondary windows hidden),
// ReadGeometry, OpenGame or OpenProfile, Run (modal), destroyed. Every close (the menu,
// the close image, Escape, the system) passes the close query; then the geometry is
// written to stats.ini, the secondary windows go and the loaded profile is closed.
//
// The keyboard: Tab goes from the menu label (Alt+M opens the menu too) to the lists, the
// tabs and the deciding-hits toggle; the lists move and choose as list boxes do (the menu
// key opens the map popup on a map); Escape closes the window, as its close image does.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "ui/desktop_prompt.h"
#include "ui/stats_viewer_launcher.h"
#include "ui/window_art.h"
#include "views/stats_viewer.h"

class QLabel;

namespace mrv::ui {

class ClickableLabel;
class PlayerTableWindow;
class PopupLines;
class ProgressWindow;
class RowList;
class OneOnOneWindow;
class ViewerCentre;
class ViewerSidePanel;
class WindowFrame;

class StatsViewerWindow : public QDialog {
  Q_OBJECT

 public:
  // The smallest size, and the size it first opens at.
  static constexpr QSize kSize{841, 523};

  // `opener` is the window the viewer opens over; the one-on-one window is centred on it.
  StatsViewerWindow(ProgramState& state, const ViewerDialogs& dialogs, QWidget* opener);
  ~StatsViewerWindow() override;

  // The three windows' places and sizes from stats.ini; false, with
  // nothing changed, when the file is missing.
  bool ReadGeometry();
  void OpenGame(const ViewerOpening& opening);
  void OpenProfile();
  // Modal until closed; a viewer that was asked to close while opening closes at once.
  void Run();

  StatsViewer& document() { return document_; }
  // Why profile mode could not read the profile; empty otherwise.
  const std::string& ErrorMessage() const { return document_.error_message(); }

  // The close query, then the closing steps. A refused query keeps the window open.
  void done(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildLists();
  // Places the lists, the middle column and the centre for the window's size.
  void LayOut();
  // The map and player lists in game mode, the games list in profile mode.
  void ShowListsOfMode(bool profile);
  void BuildSecondaryWindows();
  void ShowMenu();
  void RunMenuLine(int line);
  void OpenMapPopup(int stack_y, QPoint global);
  void ClickGame(int row, Qt::KeyboardModifiers modifiers);
  // Redraws what the document says changed, and acts on its requests.
  void Apply(ViewerChanges changes);
  void ShowLists(ViewerChanges changes);
  void ShowSecondaryWindows(ViewerChanges changes);
  void EndWithFatalError();

  ProgramState& state_;
  QWidget* opener_;
  DesktopPrompt prompt_;
  StatsViewer document_;
  ArtPicture background_;

  WindowFrame* frame_;
  ClickableLabel* menu_label_;
  QLabel* maps_heading_;
  RowList* maps_;
  QLabel* players_heading_;
  RowList* players_;
  QLabel* games_heading_;
  RowList* games_;
  QLabel* games_count_;
  ViewerSidePanel* side_;
  ViewerCentre* centre_;
  PopupLines* menu_;
  PopupLines* map_popup_;
  int popup_row_ = -1;    // the map row the map popup acts on
  int games_anchor_ = 0;  // where a Shift-click range in the games list starts

  // Game mode only; null in profile mode.
  PlayerTableWindow* overall_ = nullptr;
  PlayerTableWindow* details_ = nullptr;
  OneOnOneWindow* one_on_one_ = nullptr;
  // Profile mode only; null in game mode.
  ProgressWindow* progress_ = nullptr;

  bool close_requested_ = false;  // before the window was shown
  bool closed_ = false;
};

// The launcher main gives the main window and the profile manager: the viewer window,
// with the profile manager and the export dialog that main provides. When stats.ini
// has gone since the start, that is reported and the viewer still opens (so that the
// game in memory can be saved); the program ends when it closes.
class ViewerWindowLauncher final : public ViewerLauncher {
 public:
  explicit ViewerWindowLauncher(ViewerDialogs dialogs = {}) : dialogs_(std::move(dialogs)) {}

  void ShowGame(ProgramState& state, const ViewerOpening& opening, QWidget* parent) override;
  std::string ShowProfile(ProgramState& state, QWidget* parent) override;

 private:
  // Creates the viewer, opens it, runs it modally and destroys it; its ErrorMessage.
  std::string RunViewer(ProgramState& state, QWidget* parent,
                        const std::function<void(StatsViewerWindow&)>& open);

  ViewerDialogs dialogs_;
};

}  // namespace mrv::ui
