// The desktop suite's main: widgets need the application before any test runs, and a
// platform even where there is no display (also when the build lists the tests).
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/accessible_widgets.h"
#include "ui/theme.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  mrv::ui::ApplyTheme(app);
  mrv::ui::InstallAccessibleWidgets();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
