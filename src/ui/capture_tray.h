// Where the capture dialog goes while it is out of the way: into the desktop's tray,
// where its icon's tooltip is the last status line and a left click shows or hides the
// dialog; on a desktop without a tray the dialog is minimised instead, so that it can
// always be brought back.
#pragma once

#include <QObject>
#include <QString>

class QSystemTrayIcon;
class QWidget;

namespace mrv::ui {

class CaptureTray : public QObject {
  Q_OBJECT

 public:
  // The icon shows while the dialog lives.
  explicit CaptureTray(QWidget& dialog);
  ~CaptureTray() override;

  void SetHint(const QString& line);
  void HideDialog();

 private:
  void Toggle();

  QWidget& dialog_;
  QSystemTrayIcon* icon_ = nullptr;  // none without a tray
};

}  // namespace mrv::ui
