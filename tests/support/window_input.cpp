#include "support/window_input.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace mrv::test {

void ClickInWindow(const QWidget& place, QPoint at, Qt::KeyboardModifiers keys,
                   Qt::MouseButton button) {
  QWidget* window = place.window();
  QWindow* handle = window->windowHandle();
  ASSERT_NE(handle, nullptr) << "the window is not shown";
  QTest::mouseClick(handle, button, keys, place.mapTo(window, at));
}

void ClickInWindow(const QWidget& place) {
  ClickInWindow(place, place.rect().center());
}

}  // namespace mrv::test
