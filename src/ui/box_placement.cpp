#include "ui/box_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace mrv::ui {

void CentreOnWindow(QWidget& box, const QWidget* window) {
  const QWidget* owner = window != nullptr ? window->window() : nullptr;
  // A minimised window may stand far off every screen (Windows puts it at -32000).
  QScreen* screen = owner != nullptr && owner->isVisible() && !owner->isMinimized()
                        ? QGuiApplication::screenAt(owner->geometry().center())
                        : nullptr;
  const bool over_owner = screen != nullptr;
  if (screen == nullptr) screen = owner != nullptr ? owner->screen() : box.screen();
  if (screen == nullptr) return;
  const QRect free = screen->availableGeometry();

  QRect placed(QPoint(), box.size());
  placed.moveCenter(over_owner ? owner->geometry().center() : free.center());
  // A window partly off its screen still gets the whole box on it.
  const int right_most = std::max(free.left(), free.right() + 1 - placed.width());
  const int bottom_most = std::max(free.top(), free.bottom() + 1 - placed.height());
  placed.moveTopLeft({std::clamp(placed.left(), free.left(), right_most),
                      std::clamp(placed.top(), free.top(), bottom_most)});
  box.move(placed.topLeft());
}

}  // namespace mrv::ui
