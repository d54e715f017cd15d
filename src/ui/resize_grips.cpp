#include "ui/resize_grips.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "ui/object_names.h"
#include "ui/theme.h"

namespace mrv::ui {

namespace {

constexpr int kEdgeThickness = 4;
constexpr int kCornerSize = 12;

class ResizeGrip final : public QWidget {
 public:
  ResizeGrip(QWidget* window, Qt::Edges edges) : QWidget(window), window_(window), edges_(edges) {
    if (edges == (Qt::RightEdge | Qt::BottomEdge)) {
      setObjectName(names::kCornerGrip);
      setCursor(Qt::SizeFDiagCursor);
    } else if (edges == Qt::RightEdge) {
      setObjectName(names::kRightGrip);
      setCursor(Qt::SizeHorCursor);
    } else {
      setObjectName(names::kBottomGrip);
      setCursor(Qt::SizeVerCursor);
    }
    window->installEventFilter(this);
    Place();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) Place();
    return false;
  }

  void paintEvent(QPaintEvent*) override {
    if (edges_ != (Qt::RightEdge | Qt::BottomEdge)) return;
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours::kDimText);
    // Three dots along the diagonal say that the corner can be dragged.
    for (int i = 0; i < 3; ++i) {
      painter.drawRect(width() - 3 - 3 * i, height() - 3, 2, 2);
      painter.drawRect(width() - 3, height() - 3 - 3 * i, 2, 2);
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    QWindow* handle = window_->windowHandle();
    if (handle != nullptr && handle->startSystemResize(edges_)) return;
    dragging_ = true;
    start_pointer_ = event->globalPosition().toPoint();
    start_size_ = window_->size();
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (dragging_) Follow(event->globalPosition().toPoint());
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    Follow(event->globalPosition().toPoint());
    dragging_ = false;
  }

 private:
  // resize() keeps the window within its minimum size.
  void Follow(QPoint pointer) {
    const QPoint moved = pointer - start_pointer_;
    window_->resize(start_size_.width() + (edges_ & Qt::RightEdge ? moved.x() : 0),
                    start_size_.height() + (edges_ & Qt::BottomEdge ? moved.y() : 0));
  }

  void Place() {
    const int w = window_->width();
    const int h = window_->height();
    if (edges_ == (Qt::RightEdge | Qt::BottomEdge)) {
      setGeometry(w - kCornerSize, h - kCornerSize, kCornerSize, kCornerSize);
    } else if (edges_ == Qt::RightEdge) {
      setGeometry(w - kEdgeThickness, kTitleStripHeight, kEdgeThickness,
                  h - kTitleStripHeight - kCornerSize);
    } else {
      setGeometry(0, h - kEdgeThickness, w - kCornerSize, kEdgeThickness);
    }
    raise();
  }

  QWidget* window_;
  Qt::Edges edges_;
  bool dragging_ = false;
  QPoint start_pointer_;
  QSize start_size_;
};

}  // namespace

void AddResizeGrips(QWidget* window, QSize minimum) {
  window->setMinimumSize(minimum);
  new ResizeGrip(window, Qt::RightEdge);
  new ResizeGrip(window, Qt::BottomEdge);
  new ResizeGrip(window, Qt::RightEdge | Qt::BottomEdge);
}

}  // namespace mrv::ui
