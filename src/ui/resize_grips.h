// The grips along a frameless window's right edge, bottom edge and bottom-right corner.
// WindowFrame adds them to a resizable
// window; they stay on top of its widgets and follow its size.
#pragma once

#include <QSize>

class QWidget;

namespace mrv::ui {

// Also sets the window's minimum size.
void AddResizeGrips(QWidget* window, QSize minimum);

}  // namespace mrv::ui
