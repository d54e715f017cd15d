// ProgressWindow, the stats viewer's Progress window in profile mode (760 x 560): the six
// charts of the games selected in the viewer's games list (progress_charts_view.h), and
// below them a line naming the game under the pointer with its values. A borderless tool
// window over the viewer, dragged by its title strip and resized from its edges; it
// shows what the viewer's document holds and tells the viewer of its close button. Its
// object names are in object_names.h.
#pragma once

#include <QDialog>
#include <string>

#include "ui/window_art.h"
#include "views/progress_series.h"

class QLabel;

namespace mrv::ui {

class ProgressChartsView;
class WindowFrame;

class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{760, 560};
  static constexpr QSize kMinimumSize{420, 360};

  explicit ProgressWindow(QWidget* viewer);

  // The charts of these games; `error`, when not empty, says why the games' figures
  // could not be read, and no chart is drawn.
  void ShowProgress(const Progress& progress, const std::string& error);
  void done(int result) override;

 signals:
  // The close button, or Escape.
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowHint();

  ArtPicture background_;
  WindowFrame* frame_;
  ProgressChartsView* charts_;
  QLabel* point_;
  QString hint_;  // what the point line says while the pointer is over no game
};

}  // namespace mrv::ui
