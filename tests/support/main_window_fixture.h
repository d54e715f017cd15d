// What the main window's and the capture dialog's tests share: a started program folder
// whose bridge socket is private to the test, the main window over it, scripted boxes,
// file dialogs and viewer, and a way to act on the capture dialog once it shows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/paths.h"
#include "support/ui_fixtures.h"
#include "ui/capture_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/status_log.h"

namespace mrv::ui {

using test::Child;
using test::Click;

class MainWindowFixture : public ::testing::Test {
 protected:
  explicit MainWindowFixture(const std::string& name)
      : dir_(name), saved_runtime_dir_(qgetenv("XDG_RUNTIME_DIR")) {
    test::FillDataDir(dir_.path());
    // The bridge's default socket, which the dialog looks for, lies in the scratch folder.
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir_.path().string()));
  }
  ~MainWindowFixture() override {
    if (saved_runtime_dir_.isEmpty()) {
      qunsetenv("XDG_RUNTIME_DIR");
    } else {
      qputenv("XDG_RUNTIME_DIR", saved_runtime_dir_);
    }
  }

  std::unique_ptr<MainWindow> Open(const std::array<std::string, kRecentFileCount>& recent = {}) {
    return test::ShownMainWindow(dir_.path(), recent, dialogs_, viewer_, devices_);
  }

  // Runs `act` on the capture dialog once it shows. A dialog still open after the
  // patience is cancelled, so that a failing test ends.
  static void OnDialog(std::function<void(CaptureDialog&)> act) {
    QTimer::singleShot(0, [act] {
      auto* dialog = qobject_cast<CaptureDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QTimer::singleShot(kPatienceMs, dialog, [dialog] {
        ADD_FAILURE() << "the capture dialog was still open";
        dialog->reject();
      });
      act(*dialog);
    });
  }

  static QStringList Status(CaptureDialog& dialog) {
    return Child<StatusLog>(dialog, names::kStatusLog)->lines();
  }

  static bool WaitForStatus(CaptureDialog& dialog, const QString& line) {
    return QTest::qWaitFor([&] { return Status(dialog).contains(line); }, kPatienceMs);
  }

  static constexpr int kPatienceMs = 20000;

  test::ScratchDir dir_;
  QByteArray saved_runtime_dir_;
  ScriptedBoxes boxes_;  // no test may block on a box
  ScriptedFileDialogs dialogs_;
  test::RecordingViewer viewer_;
  test::TestCaptureDevices devices_;
};

}  // namespace mrv::ui
