// The frame every window of the program shares. A window has no system frame: it
// creates a WindowFrame in its constructor, which makes it frameless and lays the title
// strip along its top edge (the full width, following resizes), and it paints its
// background with PaintWindowBackground, which also draws the 1-pixel border:
//
//   ViewerWindow::ViewerWindow(QWidget* parent)
//       : QDialog(parent), background_(art::kViewerBackground) {
//     setFixedSize(841, 523);
//     frame_ = new WindowFrame(this, QStringLiteral("Stats"));
//     connect(frame_->AddLabel(QStringLiteral("HELP"), names::kHelpLabel),
//             &ClickableLabel::clicked, this, &ViewerWindow::ShowHelp);
//     // the window's own widgets go below y = kTitleStripHeight
//   }
//   void ViewerWindow::paintEvent(QPaintEvent*) { PaintWindowBackground(*this, background_); }
//
// Dragging the strip moves the window: by the platform's own move where it offers one
// (so that it works under Wayland), otherwise by the pointer's offset from where the
// drag began. The close image closes the window, which for a dialog is its Cancel; the
// minimise image minimises the whole application; the
// options may give either image another action. With
// `resizable`, the right edge, the bottom edge and the bottom-right corner resize the
// window, never below kMinimumResizableSize (or the larger minimum the window sets
// after), and the pointer shows the direction there. With `maximise` too, an image
// between the two maximises the window and restores it, as a double click on the strip
// does. The images are read by a screen reader but left out of the Tab order: Escape
// closes, and the minimise and maximise have no key of their own.
#pragma once

#include <QSize>
#include <QWidget>
#include <functional>

#include "ui/window_art.h"

class QLabel;
class QHBoxLayout;

namespace mrv::ui {

class ClickableLabel;

struct FrameOptions {
  bool minimise = true;
  bool resizable = false;
  bool maximise = false;  // for a resizable window
  // What the two images do instead of minimising the application and closing the
  // window (the capture dialog hides in the tray and cancels).
  std::function<void()> on_minimise = {};
  std::function<void()> on_close = {};
};

class WindowFrame : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kMinimumResizableSize{100, 100};

  WindowFrame(QWidget* window, const QString& title, FrameOptions options = {});

  void SetTitle(const QString& title);
  // A clickable caption in the strip, left of the images (the main window's "HELP").
  ClickableLabel* AddLabel(const QString& caption, const QString& object_name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void FollowWindowWidth();
  void ToggleMaximised();

  QWidget* window_;
  QLabel* title_;
  QHBoxLayout* layout_;
  bool maximisable_;
  int labels_added_ = 0;
  bool dragging_ = false;
  QPoint drag_offset_;  // the pointer's position relative to the window's corner
};

// A window placed from stored figures, kept where the player can reach it: no larger
// than its screen's free area (for a resizable one) and with at least part of its
// title strip on that screen.
void KeepOnScreen(QWidget& window);

// Every visible window of the program minimised at once.
void MinimiseApplication();

// The window's background picture, in the drawing for the window's screen, stretched
// over it (the plain background colour when the picture is missing) and its border.
void PaintWindowBackground(QWidget& window, const ArtPicture& background);

}  // namespace mrv::ui
