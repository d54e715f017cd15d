// TMain, the program's main window: the four image buttons ("imgmonitor", "imgparse",
// "imgload", "imgprofiles"), the description ("ldescription"; each button's text while
// the pointer is over it, the about text over the background), the recent-files panel
// ("precent") that the parse button shows, the "HELP" label ("lhelp") that opens the
// about window, the load of a saved game and the profile manager. It owns the
// ProgramState for the program's life; while a load, the viewer or the profile manager
// runs it is hidden.
//
// The capture and parse actions are added beside LoadSavedGame: each hides the
// window, fills state().database, calls OpenStatsViewer and shows the window again.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <memory>

#include "ui/desktop_prompt.h"
#include "ui/program_state.h"

class QLabel;

namespace mrv::ui {

class FileDialogs;
class RecentFilesPanel;
class Timgbtn;
class ViewerLauncher;
class WindowFrame;

class TMain : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kSize{440, 300};

  TMain(std::unique_ptr<ProgramState> state, FileDialogs& file_dialogs, ViewerLauncher& viewer);
  ~TMain() override;

  ProgramState& state() { return *state_; }

  // Writes the recent files into the panel's lines.
  void RefreshRecentLabels();
  // The open dialog for a .stg file, then the game in the viewer.
  void LoadSavedGame();
  // The profile manager, whose Open shows a profile in the viewer.
  void ManageProfiles();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  Timgbtn* AddActionButton(const char* art, const QString& caption, const QString& name,
                           const char* description, int top);
  void ShowDescription(const char* text);
  void ParseClicked();

  std::unique_ptr<ProgramState> state_;
  FileDialogs& file_dialogs_;
  ViewerLauncher& viewer_;
  DesktopPrompt prompt_;
  QPixmap background_;
  WindowFrame* frame_;
  QLabel* description_;
  RecentFilesPanel* recent_;
  Timgbtn* parse_;
};

}  // namespace mrv::ui
