// The window art is embedded in the library: a static library drops resources that
// nothing initialises, and then every window would be drawn without its pictures.
#include "ui/window_art.h"

#include <gtest/gtest.h>

#include <QPixmap>

namespace mrv::ui {
namespace {

TEST(WindowArtTest, EveryPictureLoadsFromTheLibrary) {
  for (const char* path : art::kAll) {
    EXPECT_FALSE(QPixmap(QString::fromLatin1(path)).isNull()) << path;
  }
  EXPECT_EQ(QPixmap(QString::fromLatin1(art::kMessageBackground)).size(), QSize(264, 135));
  EXPECT_EQ(QPixmap(QString::fromLatin1(art::kButtonOk)).size(), QSize(150, 25));
}

}  // namespace
}  // namespace mrv::ui
