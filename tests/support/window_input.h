// Pointer input as a player gives it: the click goes to the top-level window's QWindow at
// the point given, and Qt delivers it to whatever child lies under the pointer there, as
// with a real mouse. A test names where to click, never which widget gets the click.
#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

namespace mrv::test {

// A click at `at` in `place`'s own coordinates, sent to the window `place` is in (which
// must be shown).
void ClickInWindow(const QWidget& place, QPoint at, Qt::KeyboardModifiers keys = {},
                   Qt::MouseButton button = Qt::LeftButton);
// A click at the middle of `place`.
void ClickInWindow(const QWidget& place);

}  // namespace mrv::test
