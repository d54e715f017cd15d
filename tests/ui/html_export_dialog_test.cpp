// The export dialog as the viewer's " Export to HTML" opens it, over a live capture and
// over a profile: the Weapons box's rule, and Save with its file dialog, its failure and
// its cancel.
#include "ui/html_export_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>

#include "support/print_qstring.h"
#include "support/ui_fixtures.h"
#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/stats_viewer_window.h"
#include "ui/ui_text.h"

namespace mrv::ui {
namespace {

namespace fs = std::filesystem;
using test::Click;

class HtmlExportDialogTest : public test::StartedProgramTest {
 protected:
  HtmlExportDialogTest() : StartedProgramTest("export-form") {
    state_->settings.last_dir = (dir_ / "reports").string() + "/";
    fs::create_directory(dir_ / "reports");
    dialogs_.export_html = [this](ProgramState& state, const StatsViewer& viewer, QWidget* parent) {
      ShowHtmlExport(state, viewer, file_dialogs_, parent);
    };
  }

  // Chooses " Export to HTML" in the viewer's menu and acts on the dialog it shows;
  // the dialog is cancelled afterwards if the action left it open. The clicks that
  // open the menu run pending events, so the dialog is awaited, not assumed.
  void Export(StatsViewerWindow& viewer, const std::function<void(HtmlExportDialog&)>& act) {
    bool shown = false;
    QTimer waiting;
    QObject::connect(&waiting, &QTimer::timeout, [&] {
      auto* form = qobject_cast<HtmlExportDialog*>(QApplication::activeModalWidget());
      if (form == nullptr) return;
      waiting.stop();
      shown = true;
      act(*form);
      if (form->isVisible()) Click(*form, names::kCancelButton);
    });
    waiting.start(0);
    test::ChooseMenuSlot(viewer, 2);
    EXPECT_TRUE(shown);
  }
  // The viewer over ts_two_maps as a live capture gives it, shown.
  std::unique_ptr<StatsViewerWindow> OpenMonitoredGame() {
    test::LoadMonitoredSample(*state_, "ts_two_maps");
    auto viewer = std::make_unique<StatsViewerWindow>(*state_, dialogs_, nullptr);
    viewer->OpenGame({.monitor = true, .last_game = "2024-05-01 21:07"});
    viewer->show();
    return viewer;
  }
  static QCheckBox* Box(HtmlExportDialog& form, const QString& name) {
    return test::Child<QCheckBox>(form, name);
  }
  fs::path Report(const char* file) const { return dir_ / "reports" / file; }

  ScriptedFileDialogs file_dialogs_;
  ViewerDialogs dialogs_;
};

TEST_F(HtmlExportDialogTest, GameModeWeaponsNeedAPlayerAndSaveStaysOpenOnFailure) {
  auto shown = OpenMonitoredGame();
  StatsViewerWindow& viewer = *shown;
  Export(viewer, [](HtmlExportDialog& form) {
    QCheckBox* weapons = Box(form, names::kWeaponsBox);
    EXPECT_FALSE(weapons->isChecked() || weapons->isEnabled());
    EXPECT_EQ(form.findChild<QCheckBox*>(names::kProgressBox), nullptr);
  });

  test::ClickRow(viewer, names::kPlayerList, viewer.document().FindPlayer("Morv"));
  Export(viewer, [this](HtmlExportDialog& form) {
    EXPECT_TRUE(Box(form, names::kWeaponsBox)->isChecked() &&
                Box(form, names::kWeaponsBox)->isEnabled());
    form.findChild<QLineEdit*>(names::kReportTitle)->setText(QStringLiteral("Casa"));
    form.findChild<QPlainTextEdit*>(names::kObservations)
        ->setPlainText(QStringLiteral("one\ntwo\n"));
    Box(form, names::kHitPictureBoxes[0])->setChecked(false);

    Click(form, names::kSaveButton);  // the save dialog cancelled: nothing written, still open
    ASSERT_EQ(file_dialogs_.asked().size(), 1u);
    EXPECT_EQ(file_dialogs_.asked()[0].location, PathText(Report("Casa.html")));
    EXPECT_TRUE(form.isVisible());

    file_dialogs_.SetNextAnswer(PathText(dir_ / "missing" / "Casa.html"));
    Click(form, names::kSaveButton);
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].title, QStringLiteral("ERROR!"));
    EXPECT_TRUE(boxes_.shown()[0].message.contains(QStringLiteral("Unable to write file!")));
    EXPECT_TRUE(form.isVisible());

    file_dialogs_.SetNextAnswer(PathText(Report("Casa.html")));
    Click(form, names::kSaveButton);
    EXPECT_FALSE(form.isVisible());
  });
  const std::string page = test::ReadFileBytes(Report("Casa.html"));
  EXPECT_NE(page.find(">Casa</font></h2>"), std::string::npos);
  EXPECT_NE(page.find("\r\none<br>\r\ntwo<br>\r\n</strong>"), std::string::npos);
  EXPECT_NE(page.find("<h3>Weapons of Morv: </h3>"), std::string::npos);
  EXPECT_FALSE(fs::exists(Report("Casa_hits.bmp")));  // its box unchecked
  EXPECT_TRUE(fs::exists(Report("Casa_hitstaken.bmp")));
}

// The title typed is only a file name: no part of it leads out of the save dialog's folder.
TEST_F(HtmlExportDialogTest, TheTitleProposesAFileNameWithoutAFolderPart) {
  auto shown = OpenMonitoredGame();
  StatsViewerWindow& viewer = *shown;
  Export(viewer, [this](HtmlExportDialog& form) {
    Click(form, names::kReportTitle);
    ASSERT_EQ(QApplication::focusWidget(), form.findChild<QLineEdit*>(names::kReportTitle));
    test::PressKey(form, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(form, QStringLiteral("../../../../etc/evil\\x"));
    Click(form, names::kSaveButton);
    ASSERT_EQ(file_dialogs_.asked().size(), 1u);
    EXPECT_EQ(file_dialogs_.asked()[0].location, PathText(Report("evil_x.html")));
  });
}

TEST_F(HtmlExportDialogTest, ProfileModeHasItsWeaponsAndNoFlags) {
  test::CreateSampleProfile(*state_, "Morv", {{"2024-04-26 20:15", "ctf_abbey"}});
  ASSERT_TRUE(LoadProfile(state_->profile_store, "Morv.mrv", state_->loaded_profile));
  StatsViewerWindow viewer(*state_, dialogs_, nullptr);
  viewer.OpenProfile();
  viewer.show();
  Export(viewer, [this](HtmlExportDialog& form) {
    EXPECT_TRUE(Box(form, names::kWeaponsBox)->isChecked() &&
                Box(form, names::kWeaponsBox)->isEnabled());
    EXPECT_TRUE(Box(form, names::kProgressBox)->isChecked());
    file_dialogs_.SetNextAnswer(PathText(Report("morv.html")));
    Click(form, names::kSaveButton);
  });
  const std::string page = test::ReadFileBytes(Report("morv.html"));
  EXPECT_NE(page.find("<h3>Morv stats: </h3>"), std::string::npos);
  EXPECT_NE(page.find("<h3>Progress: </h3>"), std::string::npos);
  EXPECT_FALSE(fs::exists(Report("blueflag.bmp")));

  // A click on the Progress box, through the dialog's window, leaves the charts out.
  Export(viewer, [this](HtmlExportDialog& form) {
    QCheckBox* progress = Box(form, names::kProgressBox);
    test::ClickAt(*progress, QPoint(8, progress->height() / 2));
    EXPECT_FALSE(progress->isChecked());
    file_dialogs_.SetNextAnswer(PathText(Report("without.html")));
    Click(form, names::kSaveButton);
  });
  EXPECT_EQ(test::ReadFileBytes(Report("without.html")).find("Progress"), std::string::npos);
}

}  // namespace
}  // namespace mrv::ui
