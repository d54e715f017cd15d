// The export dialog over a viewer of a saved game or of a profile: the Weapons box's
// rule, and Save with its file dialog, its failure and its cancel.
#include "ui/html_export_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "files/saved_game.h"
#include "print_qstring.h"
#include "support/fakes.h"
#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/message_box.h"
#include "ui/ui_text.h"
#include "ui_support/ui_fixtures.h"
#include "views/stats_viewer.h"

namespace mrv::ui {
namespace {

namespace fs = std::filesystem;

class HtmlExportFormTest : public ::testing::Test {
 protected:
  HtmlExportFormTest() : dir_("export-form") {
    test::FillProgramDir(dir_.path());
    state_ = test::StartedState(dir_.path());
    state_->settings.last_dir = (dir_ / "reports").string() + "/";
    fs::create_directory(dir_ / "reports");
    std::string name;
    EXPECT_TRUE(LoadGame(state_->database, test::TestDataDir() / "golden" / "ts_two_maps.stg", name,
                         prompt_));
    viewer_ = std::make_unique<StatsViewer>(ViewerContext{state_->database, state_->weapons,
                                                          dir_.path(), prompt_, state_->profiler,
                                                          state_->loaded_profile});
    viewer_->OpenGame(true, name);
  }

  std::unique_ptr<THTMLform> Open() {
    auto form = std::make_unique<THTMLform>(*viewer_, state_->loaded_profile,
                                            state_->settings.last_dir, dialogs_);
    form->show();
    return form;
  }
  static QCheckBox* Box(THTMLform& form, const char* name) {
    return form.findChild<QCheckBox*>(QString::fromLatin1(name));
  }
  static void Save(THTMLform& form) {
    QTest::mouseClick(form.findChild<Timgbtn*>(QStringLiteral("imgbtn1")), Qt::LeftButton);
  }

  test::ScratchDir dir_;
  test::FakePrompt prompt_;
  std::unique_ptr<ProgramState> state_;
  std::unique_ptr<StatsViewer> viewer_;
  ScriptedBoxes boxes_;
  ScriptedFileDialogs dialogs_;
};

TEST_F(HtmlExportFormTest, WeaponsNeedASelectedPlayerInGameModeOnly) {
  auto form = Open();
  QCheckBox* weapons = Box(*form, "Weapons");
  EXPECT_EQ(weapons->text(), QStringLiteral("Weapons (player must be selected)"));
  EXPECT_FALSE(weapons->isChecked());
  EXPECT_FALSE(weapons->isEnabled());
  EXPECT_EQ(Box(*form, "DeathHitsTakenImage")->toolTip(),
            QStringLiteral("this image will be saved in the same directory as the html file"));

  viewer_->ClickPlayer(viewer_->FindPlayer("Morv"), false);
  form = Open();
  EXPECT_TRUE(Box(*form, "Weapons")->isChecked());
  EXPECT_TRUE(Box(*form, "Weapons")->isEnabled());

  ASSERT_TRUE(state_->profiler.CreateProfileFile("Morv.mrv", "Morv", {}));
  ASSERT_TRUE(LoadProfile(state_->profiler, "Morv.mrv", state_->loaded_profile));
  viewer_->OpenProfile();
  form = Open();
  EXPECT_EQ(Box(*form, "Weapons")->text(), QStringLiteral("Weapons"));
  EXPECT_TRUE(Box(*form, "Weapons")->isChecked());
  EXPECT_TRUE(Box(*form, "Weapons")->isEnabled());
}

TEST_F(HtmlExportFormTest, SaveWritesWhereTheUserChoseAndStaysOpenOnFailure) {
  auto form = Open();
  form->findChild<QLineEdit*>(QStringLiteral("title"))->setText(QStringLiteral("Casa"));
  form->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
      ->setPlainText(QStringLiteral("one\ntwo\n"));
  Box(*form, "hitsimage")->setChecked(false);

  Save(*form);  // the save dialog cancelled: nothing written, still open
  ASSERT_EQ(dialogs_.asked().size(), 1u);
  EXPECT_EQ(dialogs_.asked()[0].caption, QStringLiteral("Save HTML file"));
  EXPECT_EQ(dialogs_.asked()[0].location, PathText(dir_ / "reports" / "Casa.html"));
  EXPECT_EQ(dialogs_.asked()[0].filter, QStringLiteral("HTML files (*.html);;HTML files (*.htm)"));
  EXPECT_TRUE(form->isVisible());

  dialogs_.SetNextAnswer(PathText(dir_ / "missing" / "Casa.html"));
  Save(*form);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].title, QStringLiteral("ERROR!"));
  EXPECT_TRUE(boxes_.shown()[0].message.contains(QStringLiteral("Unable to write file!")));
  EXPECT_TRUE(form->isVisible());

  dialogs_.SetNextAnswer(PathText(dir_ / "reports" / "Casa.html"));
  Save(*form);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
  const std::string page = test::ReadFileBytes(dir_ / "reports" / "Casa.html");
  EXPECT_NE(page.find(">Casa</font></h2>"), std::string::npos);
  EXPECT_NE(page.find("\r\none<br>\r\ntwo<br>\r\n</strong>"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "reports" / "hits.bmp"));
  EXPECT_TRUE(fs::exists(dir_ / "reports" / "hitstaken.bmp"));
  EXPECT_TRUE(fs::exists(dir_ / "reports" / "blueflag.bmp"));
}

}  // namespace
}  // namespace mrv::ui
