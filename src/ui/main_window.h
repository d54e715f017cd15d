// MainWindow, the program's main window: the four image buttons (monitor, parse, load,
// profiles; Tab, the arrows and Alt with the underlined letter reach them), the
// description (each button's text while the pointer or the keyboard focus is on it, the
// about text over the background), the recent-files panel that the parse button shows,
// the "HELP" label that opens the about window, and the actions: the console capture, the parse of
// a log (browsed for or recent), the load of a saved game and the profile manager. It owns the
// ProgramState for the program's life; while a capture, a load, the viewer or the profile manager
// runs it is hidden.
//
// Each game action hides the window, fills state().store, calls OpenStatsViewer and
// shows the window again, where it was. A saved game, a profile or a log dropped on the
// window (or named on the command line) opens as its button would open it.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "ui/desktop_prompt.h"
#include "ui/program_state.h"
#include "ui/window_art.h"

class QLabel;

namespace mrv::ui {

class CaptureDevices;
class FileDialogs;
class RecentFilesPanel;
class ImageButton;
class ViewerLauncher;
class WindowFrame;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kSize{440, 300};

  MainWindow(std::unique_ptr<ProgramState> state, FileDialogs& file_dialogs, ViewerLauncher& viewer,
        CaptureDevices& devices);
  ~MainWindow() override;

  ProgramState& state() { return *state_; }

  // Writes the recent files into the panel's lines.
  void RefreshRecentLabels();
  // The open dialog for a .stg file, then the game in the viewer.
  void LoadSavedGame();
  // A saved game (.stg) or a profile (.mrv) in the viewer; any other file is parsed as
  // a console log and joins the recent files.
  void OpenFile(const QString& file);
  // The profile manager, whose Open shows a profile in the viewer.
  void ManageProfiles();
  // The capture dialog in monitor mode, then the captured game in the viewer.
  void MonitorGame();
  // The open dialog for a .log file, then its parse; a new file joins the recent ones.
  void BrowseLogFile();
  // The parse of recent file `index` (0 the most recent), which moves to the top.
  void ParseRecentFile(int index);
  // The capture dialog in log-file mode on the file; when it produced stats they are
  // the current store. Returns the error text, empty on success; a failure other than
  // a cancel has been shown in the platform's error dialog.
  QString ParseLogFile(const QString& file);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  ImageButton* AddActionButton(const char* art, const QString& caption, const QString& name,
                           const char* description, int top);
  void ShowDescription(const char* text);
  void ParseClicked();
  // Parses a chosen log with the window hidden; after a success `remember` puts it
  // among the recent files, and the viewer shows its game. A missing file is told
  // under `missing_title`.
  void ParseChosenLog(const QString& file, const QString& missing_title,
                      const std::function<void()>& remember);
  // Puts a log that is not among the recent files at their top.
  void RememberRecent(const QString& file);
  void ShowSavedGame(const QString& file);
  void ShowProfileFile(const QString& file);

  std::unique_ptr<ProgramState> state_;
  FileDialogs& file_dialogs_;
  ViewerLauncher& viewer_;
  CaptureDevices& devices_;
  DesktopPrompt prompt_;
  ArtPicture background_;
  WindowFrame* frame_;
  QLabel* description_;
  RecentFilesPanel* recent_;
  ImageButton* parse_;
};

}  // namespace mrv::ui
