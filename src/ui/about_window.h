// AboutWindow, the about window: the product name, "Version 0.9.0", the home page link
// (opened in the browser; light grey under the pointer, white again when it leaves) and
// the help text with the in-game commands and the data folder in use. Opened by the main
// window's "HELP" and once at the first start.
#pragma once

#include <QDialog>

#include "ui/window_art.h"

namespace mrv::ui {

class ClickableLabel;

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{420, 405};

  // `data_folder` says where the data folder is and why (DescribeDataFolder).
  explicit AboutWindow(const QString& data_folder, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ColourLink(const QColor& colour);

  ArtPicture background_;
  ClickableLabel* link_;
};

// Shows the about window modally until it is closed.
void ShowAboutWindow(const QString& data_folder, QWidget* parent = nullptr);

}  // namespace mrv::ui
