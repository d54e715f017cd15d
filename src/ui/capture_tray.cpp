#include "ui/capture_tray.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>

#include "ui/window_art.h"

namespace mrv::ui {

CaptureTray::CaptureTray(QWidget& dialog) : QObject(&dialog), dialog_(dialog) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  icon_ = new QSystemTrayIcon(QIcon(QString::fromLatin1(art::kTrayIcon)), this);
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger) Toggle();
  });
  icon_->show();
}

CaptureTray::~CaptureTray() {
  if (icon_ != nullptr) icon_->hide();
}

void CaptureTray::SetHint(const QString& line) {
  if (icon_ != nullptr) icon_->setToolTip(line);
}

void CaptureTray::HideDialog() {
  if (icon_ != nullptr) {
    dialog_.hide();
  } else {
    dialog_.showMinimized();
  }
}

void CaptureTray::Toggle() {
  if (dialog_.isVisible()) {
    dialog_.hide();
  } else {
    dialog_.showNormal();
    dialog_.raise();
    dialog_.activateWindow();
  }
}

}  // namespace mrv::ui
