// The image button: its border rule, its latching, which frame of its glyph it draws
// (and in which drawing, on a dense screen), and the keys that press it. It is driven in
// a window, as the player drives it.
#include "ui/image_button.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "support/ui_fixtures.h"

namespace mrv::ui {
namespace {

using test::ClickAt;
using test::MoveTo;
using test::PressKey;

// Frame 0 red, frame 1 green with a blue square in its middle; at 2x the same with a
// one-pixel white line down each frame's middle, which the 1x drawing cannot hold.
ArtPicture TestGlyph() {
  QPixmap one(40, 20);
  one.fill(Qt::red);
  QPixmap two(80, 40);
  two.fill(Qt::red);
  for (QPixmap* glyph : {&one, &two}) {
    const int scale = glyph->width() / 40;
    QPainter painter(glyph);
    painter.scale(scale, scale);
    painter.fillRect(20, 0, 20, 20, Qt::green);
    painter.fillRect(28, 8, 4, 4, Qt::blue);
  }
  QPainter painter(&two);
  painter.fillRect(19, 0, 1, 40, Qt::white);
  painter.fillRect(59, 0, 1, 40, Qt::white);
  return ArtPicture(one, two);
}

// A shown window holding a button at (10, 10) and a second one beside it.
struct ButtonWindow {
  ButtonWindow() : first(new ImageButton(&window)), second(new ImageButton(&window)) {
    window.resize(100, 60);
    first->move(10, 10);
    second->move(50, 10);
    first->SetGlyph(TestGlyph());
    second->SetGlyph(TestGlyph());
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QWidget window;
  ImageButton* first;
  ImageButton* second;
};

QColor CentreColour(ImageButton& button) {
  const QImage image = button.grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(ImageButtonTest, StayDownLatchesAndComesUpOnlyWhenAllowed) {
  ButtonWindow shown;
  ImageButton& tab = *shown.first;
  tab.SetStayDown(true);
  tab.SetCanBeUp(false);
  QSignalSpy clicks(&tab, &ImageButton::clicked);
  ClickAt(tab, {5, 5});
  EXPECT_TRUE(tab.IsDown());
  ClickAt(tab, {5, 5});
  EXPECT_TRUE(tab.IsDown());
  EXPECT_EQ(clicks.count(), 2);

  tab.SetCanBeUp(true);
  ClickAt(tab, {5, 5});
  EXPECT_FALSE(tab.IsDown());

  // A press released outside the button is no click.
  QTest::mousePress(shown.window.windowHandle(), Qt::LeftButton, {}, QPoint(15, 15));
  QTest::mouseRelease(shown.window.windowHandle(), Qt::LeftButton, {}, QPoint(90, 50));
  EXPECT_FALSE(tab.IsDown());
  EXPECT_EQ(clicks.count(), 3);
}

TEST(ImageButtonTest, DrawsTheLitFrameUnderThePointerAndWhileLatched) {
  ButtonWindow shown;
  ImageButton& button = *shown.first;
  EXPECT_EQ(button.size(), QSize(20, 20));
  EXPECT_EQ(CentreColour(button), QColor(Qt::red));

  MoveTo(button, {5, 5});
  EXPECT_EQ(CentreColour(button), QColor(Qt::blue));
  MoveTo(shown.window, {95, 55});
  EXPECT_EQ(CentreColour(button), QColor(Qt::red));

  button.SetStayDown(true);
  button.SetIsDown(true);
  EXPECT_EQ(CentreColour(button), QColor(Qt::blue));

  // The transparent colour is not drawn: the background shows through.
  button.SetTransparentColor(Qt::blue);
  EXPECT_NE(CentreColour(button), QColor(Qt::blue));
}

// On a screen of two pixels per pixel the finer drawing is used, frame by frame.
TEST(ImageButtonTest, DrawsTheFinerDrawingOnADenseScreen) {
  ButtonWindow shown;
  QPixmap dense(40, 40);
  dense.setDevicePixelRatio(2);
  shown.first->render(&dense);
  const QImage image = dense.toImage();
  EXPECT_EQ(image.pixelColor(19, 10), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(18, 10), QColor(Qt::red));
  MoveTo(*shown.first, {5, 5});
  shown.first->render(&dense);
  EXPECT_EQ(dense.toImage().pixelColor(19, 10), QColor(Qt::white));  // frame 1's own line
  EXPECT_EQ(dense.toImage().pixelColor(20, 20), QColor(Qt::blue));
}

TEST(ImageButtonTest, TabReachesItAndSpaceEnterAndItsLetterPressIt) {
  ButtonWindow shown;
  shown.first->SetCaption(QStringLiteral("&Open"));
  QSignalSpy first(shown.first, &ImageButton::clicked);
  QSignalSpy second(shown.second, &ImageButton::clicked);
  // The window starts on its first button; a click does not take the focus, Tab does, and
  // then the frame shows.
  ASSERT_TRUE(shown.first->hasFocus());
  ClickAt(*shown.second, {5, 5});
  EXPECT_TRUE(shown.first->hasFocus());
  const QImage before = shown.second->grab().toImage();
  PressKey(shown.window, Qt::Key_Tab);
  ASSERT_TRUE(shown.second->hasFocus());
  EXPECT_NE(shown.second->grab().toImage(), before);
  PressKey(shown.window, Qt::Key_Space);
  PressKey(shown.window, Qt::Key_Return);
  EXPECT_EQ(second.count(), 3);
  PressKey(shown.window, Qt::Key_Left);  // the arrows go to the neighbours
  EXPECT_TRUE(shown.first->hasFocus());
  PressKey(shown.window, Qt::Key_O, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return first.count() == 1; }));

  // A screen reader reads the caption without its '&', and the latched state.
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(shown.first);
  EXPECT_EQ(read->text(QAccessible::Name), QStringLiteral("Open"));
  shown.first->SetStayDown(true);
  shown.first->SetIsDown(true);
  EXPECT_TRUE(read->state().checked);
}

}  // namespace
}  // namespace mrv::ui
