// The program's message box: its layout, its answers, and the desktop Prompt on it.
#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "support/print_qstring.h"
#include "ui/desktop_prompt.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "support/ui_fixtures.h"

namespace mrv::ui {
namespace {

TEST(MessageDialogTest, CentresASingleButtonAndGrowsForLongMessages) {
  MessageDialog box;
  box.SetOk(false);
  box.SetCancel(true);
  box.SetMessageText(QStringLiteral("Remove the selected games?"));
  box.show();
  auto* ok = box.findChild<ImageButton*>(names::kOkButton);
  auto* cancel = box.findChild<ImageButton*>(names::kCancelButton);
  EXPECT_FALSE(ok->isVisible());
  EXPECT_EQ(cancel->x(), box.width() / 2 - cancel->width() / 2);

  // Both buttons sit side by side; a message longer than the box makes it taller
  // instead of losing lines, and the buttons stay inside it.
  box.SetOk(true);
  box.SetInput(true);
  box.SetMessageText(
      QStringLiteral("Quake 3 was closed!\n\nContinue searching for Quake?\n\n"
                     "(click cancel to show stats)"));
  box.Arrange();
  EXPECT_LT(ok->geometry().right(), cancel->x());
  EXPECT_EQ(box.width(), MessageDialog::kSize.width());
  EXPECT_GT(box.height(), MessageDialog::kSize.height());
  auto* message = box.findChild<QLabel*>(names::kMessage);
  EXPECT_GE(message->height(), message->heightForWidth(message->width()));
  EXPECT_LE(cancel->geometry().bottom(), box.height());
}

// Types into the Ask box once it is open, then presses the key.
void AnswerOpenBox(const QString& typed, Qt::Key key) {
  QTimer::singleShot(0, [typed, key] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    // The field has the focus: Ctrl+A, the text, the key, all through the box's window.
    test::PressKey(*box, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(*box, typed);
    test::PressKey(*box, key);
  });
}

TEST(MessageDialogTest, EnterInTheInputAnswersOkWithTheTypedText) {
  QString name = QStringLiteral("ut4_abbey");
  AnswerOpenBox(QStringLiteral("ut4_turnpike"), Qt::Key_Return);
  EXPECT_TRUE(
      AskBox(QStringLiteral("New map name:"), QStringLiteral("Rename"), name, {.input = true}));
  EXPECT_EQ(name, QStringLiteral("ut4_turnpike"));

  // Without an input field, Enter in the box is OK too.
  QTimer::singleShot(0, [] { test::PressKey(*QApplication::activeModalWidget(), Qt::Key_Return); });
  EXPECT_TRUE(InformationBox(QStringLiteral("Game saved."), QStringLiteral("Save")));

  // The close image is Cancel.
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    test::Click(*box, names::kCloseImage);
  });
  EXPECT_FALSE(AskBox(QStringLiteral("Delete map?"), QStringLiteral("Delete"), name, {}));
}

// Where the open box stands, its centre, then Escape closes it.
void MeasureAndCloseOpenBox(QRect& box_place) {
  QTimer::singleShot(0, [&box_place] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    box_place = box->geometry();
    QTest::keyClick(box, Qt::Key_Escape);
  });
}

// Within the platform's frame, which the offscreen platform adds around a framed box
// once it is placed.
bool SameCentre(const QRect& a, const QRect& b) {
  return (a.center() - b.center()).manhattanLength() <= 6;
}

// Whether its window is in sight, minimised far off the screen (as Windows keeps a
// minimised window) or hidden in the tray, a box opens in the middle of it or of the
// screen, never in a corner.
TEST(MessageDialogTest, BoxesOpenCentredOnTheirWindowOrTheScreen) {
  QWidget window;
  window.setGeometry(60, 50, 300, 200);
  window.show();
  const QRect screen = window.screen()->availableGeometry();
  QRect box;
  MeasureAndCloseOpenBox(box);
  InformationBox(QStringLiteral("Quake3 lost!"), QStringLiteral("!"), &window);
  EXPECT_TRUE(SameCentre(box, window.geometry())) << box.x() << "," << box.y();
  MeasureAndCloseOpenBox(box);
  ErrorDialog(QStringLiteral("Unable to load file x.stg"), QStringLiteral("Error"), &window);
  EXPECT_TRUE(SameCentre(box, window.geometry())) << box.x() << "," << box.y();

  window.move(-32000, -32000);
  MeasureAndCloseOpenBox(box);
  InformationBox(QStringLiteral("Quake3 lost!"), QStringLiteral("!"), &window);
  EXPECT_TRUE(SameCentre(box, screen)) << box.x() << "," << box.y();

  window.move(60, 50);
  window.hide();
  MeasureAndCloseOpenBox(box);
  EXPECT_EQ(YesNoCancelBox(QStringLiteral("Save?"), QStringLiteral("Close"), &window),
            Choice::kCancel);
  EXPECT_TRUE(SameCentre(box, screen)) << box.x() << "," << box.y();
}

TEST(MessageDialogTest, DesktopPromptShowsCoreMessagesInTheProgramsBoxes) {
  ScriptedBoxes boxes;
  DesktopPrompt prompt;
  prompt.Inform("Unable to save file\r\nC:\\games\\x.stg", "ERROR!");
  prompt.Error("Unable to load file x.stg", "Error");

  // Cancel leaves the text; OK brings back what was typed, as Latin-1 game text.
  std::string nick = "J\xfcrgen";
  EXPECT_FALSE(prompt.AskText("Nickname:", "Add", nick));
  EXPECT_EQ(nick, "J\xfcrgen");
  boxes.SetNextAnswer(true, QStringLiteral("M\u00f6rv"));
  EXPECT_TRUE(prompt.AskText("Nickname:", "Add", nick));
  EXPECT_EQ(nick, "M\xf6rv");

  const auto& shown = boxes.shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].kind, ScriptedBoxes::Kind::kBox);
  EXPECT_EQ(shown[0].message, QStringLiteral("Unable to save file\nC:\\games\\x.stg"));
  EXPECT_TRUE(shown[0].ok && !shown[0].cancel && !shown[0].input);
  EXPECT_EQ(shown[1].kind, ScriptedBoxes::Kind::kError);
  EXPECT_EQ(shown[1].title, QStringLiteral("Error"));
  EXPECT_TRUE(shown[2].ok && shown[2].cancel && shown[2].input);
  EXPECT_EQ(shown[2].input_text, QStringLiteral("J\u00fcrgen"));
}

}  // namespace
}  // namespace mrv::ui
