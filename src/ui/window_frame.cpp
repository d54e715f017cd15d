#include "ui/window_frame.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "ui/clickable_label.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/resize_grips.h"
#include "ui/theme.h"
#include "ui/window_art.h"

namespace mrv::ui {

namespace {

ImageButton* StripImage(QWidget* strip, const char* art, const QString& name,
                        const QString& accessible_name) {
  auto* image = new ImageButton(strip);
  image->setObjectName(name);
  image->SetGlyph(ArtPicture(art));
  image->setCursor(Qt::PointingHandCursor);
  image->setFocusPolicy(Qt::NoFocus);
  image->setAccessibleName(accessible_name);
  return image;
}

}  // namespace

WindowFrame::WindowFrame(QWidget* window, const QString& title, FrameOptions options)
    : QWidget(window),
      window_(window),
      title_(new QLabel(title, this)),
      layout_(new QHBoxLayout(this)),
      maximisable_(options.resizable && options.maximise) {
  setObjectName(names::kWindowFrame);
  window->setWindowFlag(Qt::FramelessWindowHint);
  window->setWindowTitle(title);
  title_->setObjectName(names::kFrameTitle);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  layout_->setContentsMargins(6, 0, 3, 0);
  layout_->setSpacing(4);
  layout_->addWidget(title_, 1);
  if (options.minimise) {
    auto* minimise =
        StripImage(this, art::kFrameMinimise, names::kMinimiseImage, QStringLiteral("Minimise"));
    if (options.on_minimise) {
      connect(minimise, &ImageButton::clicked, this, options.on_minimise);
    } else {
      connect(minimise, &ImageButton::clicked, this, &MinimiseApplication);
    }
    layout_->addWidget(minimise);
  }
  if (maximisable_) {
    auto* maximise =
        StripImage(this, art::kFrameMaximise, names::kMaximiseImage, QStringLiteral("Maximise"));
    connect(maximise, &ImageButton::clicked, this, &WindowFrame::ToggleMaximised);
    layout_->addWidget(maximise);
  }
  auto* close = StripImage(this, art::kFrameClose, names::kCloseImage, QStringLiteral("Close"));
  if (options.on_close) {
    connect(close, &ImageButton::clicked, this, options.on_close);
  } else {
    connect(close, &ImageButton::clicked, window, &QWidget::close);
  }
  layout_->addWidget(close);
  if (options.resizable) AddResizeGrips(window, kMinimumResizableSize);
  window->installEventFilter(this);
  FollowWindowWidth();
}

void WindowFrame::SetTitle(const QString& title) {
  title_->setText(title);
  window_->setWindowTitle(title);
}

ClickableLabel* WindowFrame::AddLabel(const QString& caption, const QString& object_name) {
  auto* label = new ClickableLabel(caption, this);
  label->setObjectName(object_name);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  // After the title and the labels before it, ahead of the images.
  layout_->insertWidget(1 + labels_added_++, label);
  return label;
}

bool WindowFrame::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Resize) FollowWindowWidth();
  return false;
}

void WindowFrame::FollowWindowWidth() {
  // Inside the window's border, which PaintWindowBackground draws.
  setGeometry(1, 1, window_->width() - 2, kTitleStripHeight - 1);
}

void WindowFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient shade(0, 0, 0, height());
  shade.setColorAt(0, QColor(0x2c, 0x2c, 0x2c));
  shade.setColorAt(1, QColor(0x16, 0x16, 0x16));
  painter.fillRect(rect(), shade);
  // A thin line in the two team colours under the strip.
  QLinearGradient accent(0, 0, width(), 0);
  accent.setColorAt(0, colours::kBlueTeam);
  accent.setColorAt(1, colours::kRedTeam);
  painter.fillRect(0, height() - 1, width(), 1, accent);
}

void WindowFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QWindow* handle = window_->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  dragging_ = true;
  drag_offset_ = event->globalPosition().toPoint() - window_->pos();
}

void WindowFrame::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) window_->move(event->globalPosition().toPoint() - drag_offset_);
}

void WindowFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  window_->move(event->globalPosition().toPoint() - drag_offset_);
  dragging_ = false;
}

void WindowFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && maximisable_) ToggleMaximised();
}

void WindowFrame::ToggleMaximised() {
  if (window_->isMaximized()) {
    window_->showNormal();
  } else {
    window_->showMaximized();
  }
}

void KeepOnScreen(QWidget& window) {
  constexpr int kReachable = 60;  // pixels of the strip that stay on the screen
  const QPoint strip = window.pos() + QPoint(window.width() / 2, kTitleStripHeight / 2);
  QScreen* screen = QGuiApplication::screenAt(strip);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect free = screen->availableGeometry();
  if (window.minimumSize() != window.maximumSize()) {
    window.resize(window.size().boundedTo(free.size()));
  }
  const int left =
      std::clamp(window.x(), free.left() - window.width() + kReachable, free.right() - kReachable);
  const int top = std::clamp(window.y(), free.top(), free.bottom() - kTitleStripHeight);
  window.move(left, top);
}

void MinimiseApplication() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) window->showMinimized();
  }
}

void PaintWindowBackground(QWidget& window, const ArtPicture& background) {
  QPainter painter(&window);
  if (background.isNull()) {
    painter.fillRect(window.rect(), colours::kBackground);
  } else {
    painter.drawPixmap(window.rect(), background.For(PaintRatio(painter)));
  }
  painter.setPen(colours::kBorder);
  painter.drawRect(window.rect().adjusted(0, 0, -1, -1));
}

}  // namespace mrv::ui
