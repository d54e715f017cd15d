// The shared window frame: moving by the title strip, resizing by the edges, and the
// minimise image that minimises every window.
#include "ui/window_frame.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>

#include "support/ui_fixtures.h"
#include "ui/object_names.h"

namespace mrv::ui {
namespace {

// A left-button drag sent to `window`'s QWindow, from `from` in `place` by `by`, in steps as
// a hand would move: Qt delivers it to whatever lies under the pointer. The window may
// move with the pointer, so each point is taken from where the window is then.
void Drag(QWidget& window, const QWidget& place, QPoint from, QPoint by) {
  QWindow* handle = window.windowHandle();
  ASSERT_NE(handle, nullptr);
  const QPoint start = place.mapToGlobal(from);
  QTest::mousePress(handle, Qt::LeftButton, {}, window.mapFromGlobal(start));
  for (int step = 1; step <= 4; ++step) {
    QTest::mouseMove(handle, window.mapFromGlobal(start + by * step / 4));
  }
  QTest::mouseRelease(handle, Qt::LeftButton, {}, window.mapFromGlobal(start + by));
}

TEST(WindowFrameTest, TheStripMovesTheWindowAndTheGripsResizeIt) {
  QWidget window;
  window.resize(300, 200);
  auto* frame = new WindowFrame(&window, QStringLiteral("Overall"), {.resizable = true});
  window.move(100, 100);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(frame->width(), 298);

  // Offscreen has no system move, so the window follows the pointer's offset.
  Drag(window, *frame, QPoint(40, 8), QPoint(30, 20));
  EXPECT_EQ(window.pos(), QPoint(130, 120));

  auto* corner = window.findChild<QWidget*>(names::kCornerGrip);
  auto* right = window.findChild<QWidget*>(names::kRightGrip);
  auto* bottom = window.findChild<QWidget*>(names::kBottomGrip);
  Drag(window, *corner, QPoint(5, 5), QPoint(40, 30));
  EXPECT_EQ(window.size(), QSize(340, 230));
  EXPECT_EQ(frame->width(), 338);
  // The grips follow the new size.
  EXPECT_EQ(corner->geometry().bottomRight(), QPoint(339, 229));
  Drag(window, *right, QPoint(2, 20), QPoint(-500, 0));
  EXPECT_EQ(window.size(), QSize(100, 230));
  Drag(window, *bottom, QPoint(20, 2), QPoint(0, -500));
  EXPECT_EQ(window.size(), QSize(100, 100));
}

TEST(WindowFrameTest, TheMinimiseImageMinimisesEveryWindow) {
  QWidget main_window;
  QWidget viewer;
  new WindowFrame(&main_window, QStringLiteral("Main"));
  new WindowFrame(&viewer, QStringLiteral("Viewer"));
  main_window.show();
  viewer.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  test::Click(viewer, names::kMinimiseImage);
  EXPECT_TRUE(main_window.isMinimized());
  EXPECT_TRUE(viewer.isMinimized());
}

}  // namespace
}  // namespace mrv::ui
