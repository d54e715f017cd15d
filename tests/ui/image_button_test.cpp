// The image button: its border rule, its latching, and which frame of its glyph it draws.
#include "ui/image_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace mrv::ui {
namespace {

TEST(ImageButtonTest, AcceptsBorderWidthsFromOneToNineOnly) {
  ImageButton button;
  EXPECT_FALSE(button.SetBorderWidth(0));
  EXPECT_FALSE(button.SetBorderWidth(10));
  EXPECT_EQ(button.BorderWidth(), 1);
  EXPECT_EQ(button.Margin(), 5);
  EXPECT_TRUE(button.SetBorderWidth(3));
  EXPECT_EQ(button.Margin(), 5);
  EXPECT_TRUE(button.SetBorderWidth(9));
  EXPECT_EQ(button.Margin(), 11);
}

TEST(ImageButtonTest, StayDownLatchesAndComesUpOnlyWhenAllowed) {
  ImageButton tab;
  tab.SetStayDown(true);
  tab.SetCanBeUp(false);
  QSignalSpy clicks(&tab, &ImageButton::clicked);
  QTest::mouseClick(&tab, Qt::LeftButton);
  EXPECT_TRUE(tab.IsDown());
  QTest::mouseClick(&tab, Qt::LeftButton);
  EXPECT_TRUE(tab.IsDown());
  EXPECT_EQ(clicks.count(), 2);

  tab.SetCanBeUp(true);
  QTest::mouseClick(&tab, Qt::LeftButton);
  EXPECT_FALSE(tab.IsDown());

  // A press released outside the button is no click.
  QTest::mousePress(&tab, Qt::LeftButton);
  QTest::mouseRelease(&tab, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_FALSE(tab.IsDown());
  EXPECT_EQ(clicks.count(), 3);
}

QRgb CentrePixel(ImageButton& button) {
  const QImage image = button.grab().toImage();
  return image.pixel(image.width() / 2, image.height() / 2);
}

TEST(ImageButtonTest, DrawsTheLitFrameUnderThePointerAndWhileLatched) {
  // Frame 0 red, frame 1 green, with a blue square in frame 1's middle.
  QPixmap glyph(40, 20);
  glyph.fill(Qt::red);
  {
    QPainter painter(&glyph);
    painter.fillRect(20, 0, 20, 20, Qt::green);
    painter.fillRect(28, 8, 4, 4, Qt::blue);
  }
  ImageButton button;
  button.SetGlyph(glyph);
  EXPECT_EQ(button.size(), QSize(20, 20));
  EXPECT_EQ(QColor(CentrePixel(button)), QColor(Qt::red));

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_EQ(QColor(CentrePixel(button)), QColor(Qt::blue));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(QColor(CentrePixel(button)), QColor(Qt::red));

  button.SetIsDown(true);
  EXPECT_EQ(QColor(CentrePixel(button)), QColor(Qt::blue));

  // The transparent colour is not drawn: the background shows through.
  button.SetTransparentColor(Qt::blue);
  EXPECT_NE(QColor(CentrePixel(button)), QColor(Qt::blue));
}

}  // namespace
}  // namespace mrv::ui
