// Where a box of the program opens: over the middle of the window it belongs to, also
// when that window's platform would put it elsewhere (the platform's own placement
// pushes a box whose window is minimised or off the screen into a corner of the screen).
#pragma once

class QWidget;

namespace mrv::ui {

// Moves `box` so that it is centred on `window`'s top-level window when that is shown,
// not minimised and on a screen, or else on the free area of that window's screen (of
// the box's screen without a window), and keeps the whole box on that screen. Called
// when the box is shown, once its size is final.
void CentreOnWindow(QWidget& box, const QWidget* window);

}  // namespace mrv::ui
