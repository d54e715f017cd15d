// The shared window frame: moving by the title strip, resizing by the edges, and the
// minimise image that minimises every window.
#include "ui/window_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "ui/image_button.h"
#include "ui/object_names.h"

namespace mrv::ui {
namespace {

// A left-button drag on `widget` from `from` by `by`, in steps as a hand would move.
void Drag(QWidget* widget, QPoint from, QPoint by) {
  const auto send = [widget](QEvent::Type type, QPoint local, Qt::MouseButtons held) {
    const QPoint global = widget->mapToGlobal(local);
    QMouseEvent event(type, local, local, global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
    QApplication::sendEvent(widget, &event);
  };
  send(QEvent::MouseButtonPress, from, Qt::LeftButton);
  // The widget may move with the pointer: positions stay relative to where it started.
  const QPoint start_global = widget->mapToGlobal(from);
  for (int step = 1; step <= 4; ++step) {
    send(QEvent::MouseMove, widget->mapFromGlobal(start_global + by * step / 4), Qt::LeftButton);
  }
  send(QEvent::MouseButtonRelease, widget->mapFromGlobal(start_global + by), Qt::NoButton);
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
  Drag(frame, QPoint(40, 8), QPoint(30, 20));
  EXPECT_EQ(window.pos(), QPoint(130, 120));

  auto* corner = window.findChild<QWidget*>(names::kCornerGrip);
  auto* right = window.findChild<QWidget*>(names::kRightGrip);
  auto* bottom = window.findChild<QWidget*>(names::kBottomGrip);
  Drag(corner, QPoint(5, 5), QPoint(40, 30));
  EXPECT_EQ(window.size(), QSize(340, 230));
  EXPECT_EQ(frame->width(), 338);
  // The grips follow the new size.
  EXPECT_EQ(corner->geometry().bottomRight(), QPoint(339, 229));
  Drag(right, QPoint(2, 20), QPoint(-500, 0));
  EXPECT_EQ(window.size(), QSize(100, 230));
  Drag(bottom, QPoint(20, 2), QPoint(0, -500));
  EXPECT_EQ(window.size(), QSize(100, 100));
}

TEST(WindowFrameTest, TheMinimiseImageMinimisesEveryWindow) {
  QWidget main_window;
  QWidget viewer;
  new WindowFrame(&main_window, QStringLiteral("Main"));
  auto* frame = new WindowFrame(&viewer, QStringLiteral("Viewer"));
  main_window.show();
  viewer.show();
  QTest::mouseClick(frame->findChild<ImageButton*>(names::kMinimiseImage), Qt::LeftButton);
  EXPECT_TRUE(main_window.isMinimized());
  EXPECT_TRUE(viewer.isMinimized());
}

}  // namespace
}  // namespace mrv::ui
