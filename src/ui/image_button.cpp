#include "ui/image_button.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

#include "ui/theme.h"

namespace mrv::ui {

namespace {

// Normal, and lit under the pointer, pressed or latched.
constexpr int kFrames = 2;

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {
  resize(kDefaultSize, kDefaultSize);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ImageButton::SetGlyph(const QPixmap& glyph) {
  source_glyph_ = glyph;
  PrepareGlyph();
  resize(sizeHint());
}

void ImageButton::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void ImageButton::SetTextLeft(int left) {
  text_left_ = left;
  update();
}

void ImageButton::SetTransparentColor(const QColor& colour) {
  transparent_colour_ = colour;
  PrepareGlyph();
}

bool ImageButton::SetBorderWidth(int width) {
  if (width < 1 || width > 9) return false;
  border_width_ = width;
  margin_ = width + 2;
  update();
  return true;
}

void ImageButton::SetIsDown(bool down) {
  is_down_ = down;
  update();
}

QSize ImageButton::sizeHint() const {
  if (glyph_.isNull()) return {kDefaultSize, kDefaultSize};
  return {glyph_.width() / kFrames, glyph_.height()};
}

void ImageButton::PrepareGlyph() {
  glyph_ = source_glyph_;
  if (!glyph_.isNull() && transparent_colour_.isValid()) {
    glyph_.setMask(glyph_.createMaskFromColor(transparent_colour_, Qt::MaskInColor));
  }
  update();
}

QRect ImageButton::CaptionRect(const QFontMetrics& metrics) const {
  const QSize text(metrics.horizontalAdvance(caption_), metrics.height());
  const int left = text_left_ >= 0 ? text_left_ : (width() - text.width()) / 2;
  const int top = (height() - text.height()) / 2;
  const QRect inside = rect().adjusted(margin_, 0, -margin_, 0);
  // A centred caption wider than the margins allow starts at the left margin.
  return {text_left_ >= 0 ? left : std::max(left, inside.left()), top, text.width(), text.height()};
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool down_look = pressed_ || is_down_;
  if (!glyph_.isNull()) {
    const int frame_width = glyph_.width() / kFrames;
    const bool lit = isEnabled() && (hover_ || down_look);
    const QRect frame(lit ? frame_width : 0, 0, frame_width, glyph_.height());
    painter.drawPixmap(QPoint(0, 0), glyph_, frame);
  }
  if (caption_.isEmpty()) return;
  QRect text = CaptionRect(painter.fontMetrics());
  if (!isEnabled()) {
    painter.setPen(Qt::white);
    painter.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, caption_);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
  } else {
    painter.setPen(down_look || hover_ ? Qt::white : colours::kText);
    if (down_look) text.translate(border_width_, border_width_);
  }
  painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, caption_);
}

void ImageButton::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
  emit hovered();
}

void ImageButton::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  update();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  update();
  if (!rect().contains(event->position().toPoint())) return;
  if (stay_down_) {
    if (!is_down_) {
      SetIsDown(true);
    } else if (can_be_up_) {
      SetIsDown(false);
    }
  }
  emit clicked();
}

ImageButton* DialogButton(QWidget* dialog, const char* glyph, const QString& caption,
                      const QString& name) {
  auto* button = new ImageButton(dialog);
  button->setObjectName(name);
  button->SetGlyph(QPixmap(glyph));
  button->SetCaption(caption);
  button->SetTextLeft(30);
  return button;
}

}  // namespace mrv::ui
