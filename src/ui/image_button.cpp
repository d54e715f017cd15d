#include "ui/image_button.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "ui/keyboard_focus.h"
#include "ui/theme.h"

namespace mrv::ui {

namespace {

// Normal, and lit under the pointer, pressed or latched.
constexpr int kFrames = 2;

QPixmap Masked(const QPixmap& glyph, const QColor& colour) {
  if (glyph.isNull() || !colour.isValid()) return glyph;
  QPixmap masked = glyph;
  masked.setMask(masked.createMaskFromColor(colour, Qt::MaskInColor));
  return masked;
}

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
  resize(kDefaultSize, kDefaultSize);
  setAttribute(Qt::WA_NoSystemBackground);
  // Laid out as a plain widget is (a button's policy would centre it in a title strip).
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  // Reached by Tab; a click leaves the focus where the player was typing or choosing.
  setFocusPolicy(Qt::TabFocus);
}

void ImageButton::SetGlyph(const ArtPicture& glyph) {
  source_glyph_ = glyph;
  PrepareGlyph();
  resize(sizeHint());
}

void ImageButton::SetCaption(const QString& caption) {
  setText(caption);
}

void ImageButton::SetTextLeft(int left) {
  text_left_ = left;
  update();
}

void ImageButton::SetTransparentColor(const QColor& colour) {
  transparent_colour_ = colour;
  PrepareGlyph();
}

QSize ImageButton::sizeHint() const {
  if (glyph_.isNull()) return {kDefaultSize, kDefaultSize};
  return {glyph_.size().width() / kFrames, glyph_.size().height()};
}

void ImageButton::PrepareGlyph() {
  glyph_ = ArtPicture(Masked(source_glyph_.For(1), transparent_colour_),
                      Masked(source_glyph_.For(2), transparent_colour_));
  update();
}

QRect ImageButton::CaptionRect(const QFontMetrics& metrics) const {
  // Measured as the caption is drawn, without its '&'s.
  const QSize text(metrics.size(Qt::TextShowMnemonic, this->text()).width(), metrics.height());
  const int left = text_left_ >= 0 ? text_left_ : (width() - text.width()) / 2;
  const int top = (height() - text.height()) / 2;
  const QRect inside = rect().adjusted(kMargin, 0, -kMargin, 0);
  // A centred caption wider than the margins allow starts at the left margin.
  return {text_left_ >= 0 ? left : std::max(left, inside.left()), top, text.width(), text.height()};
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool down_look = isDown() || isChecked();
  if (!glyph_.isNull()) {
    // The frame is cut from the drawing in its own pixels, which are finer at 2x.
    const QPixmap glyph = glyph_.For(PaintRatio(painter));
    const qreal frame_width = static_cast<qreal>(glyph.width()) / kFrames;
    const bool lit = isEnabled() && (hover_ || down_look);
    painter.drawPixmap(QPointF(0, 0), glyph,
                       QRectF(lit ? frame_width : 0, 0, frame_width, glyph.height()));
  }
  if (ShowsKeyboardFocus(*this)) DrawFocusFrame(painter, QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
  if (text().isEmpty()) return;
  // The shortcut letters are underlined once the keyboard is used in the window, so that
  // a player who only uses the mouse sees the buttons as they are drawn.
  const bool underline = window()->testAttribute(Qt::WA_KeyboardFocusChange) &&
                         style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) != 0;
  const int mnemonic = underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
  QRect caption = CaptionRect(painter.fontMetrics());
  if (!isEnabled()) {
    painter.setPen(Qt::white);
    painter.drawText(caption.translated(1, 1), Qt::AlignLeft | Qt::AlignTop | mnemonic, text());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
  } else {
    painter.setPen(down_look || hover_ ? Qt::white : colours::kText);
    if (down_look) caption.translate(kBorderWidth, kBorderWidth);
  }
  painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | mnemonic, text());
}

void ImageButton::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
  emit highlighted();
}

void ImageButton::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}

void ImageButton::focusInEvent(QFocusEvent* event) {
  QAbstractButton::focusInEvent(event);
  emit highlighted();
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
  NoteKeyboardUse(*this);
  if (IsEnterKey(*event)) {
    click();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

void ImageButton::nextCheckState() {
  if (!isChecked() || can_be_up_) setChecked(!isChecked());
}

ImageButton* DialogButton(QWidget* dialog, const char* glyph, const QString& caption,
                          const QString& name) {
  auto* button = new ImageButton(dialog);
  button->setObjectName(name);
  button->SetGlyph(ArtPicture(glyph));
  button->SetCaption(caption);
  button->SetTextLeft(30);
  return button;
}

}  // namespace mrv::ui
