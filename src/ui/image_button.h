// ImageButton, the image button of every window: a glyph of two frames side by side
// (frame 0 normal, frame 1 while the pointer is over it, while it is pressed or latched),
// a caption drawn over it, and an optional latched state.
//
//   auto* ok = new ImageButton(box);
//   ok->setObjectName(names::kOkButton);
//   ok->SetGlyph(QPixmap(art::kButtonOk));  // the button takes one frame's size
//   ok->SetCaption(QStringLiteral("OK"));
//   connect(ok, &ImageButton::clicked, box, &MessageDialog::AnswerOk);
//
// A StayDown button latches when clicked while up; clicked while latched, it comes up
// again only when CanBeUp is set (tabs are StayDown buttons with CanBeUp false, turned
// off by their neighbours through SetIsDown). clicked is emitted for every click.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace mrv::ui {

class ImageButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultSize = 25;

  explicit ImageButton(QWidget* parent = nullptr);

  // Both size the button to one frame of the glyph (25 x 25 without one).
  void SetGlyph(const QPixmap& glyph);
  void SetCaption(const QString& caption);
  // The caption's left edge; -1 (the default) centres it between the margins. It is
  // always centred from top to bottom.
  void SetTextLeft(int left);
  // Pixels of this colour in the glyph are not drawn; an invalid colour (the default)
  // leaves the glyph's own transparency.
  void SetTransparentColor(const QColor& colour);

  // Accepted from 1 to 9 only (false, unchanged, otherwise); sets Margin to width + 2.
  // A pressed caption shifts right and down by it.
  bool SetBorderWidth(int width);
  int BorderWidth() const { return border_width_; }
  int Margin() const { return margin_; }

  void SetStayDown(bool stay_down) { stay_down_ = stay_down; }
  void SetCanBeUp(bool can_be_up) { can_be_up_ = can_be_up; }
  bool IsDown() const { return is_down_; }
  void SetIsDown(bool down);

  QSize sizeHint() const override;

 signals:
  void clicked();
  // The pointer came over the button.
  void hovered();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PrepareGlyph();
  QRect CaptionRect(const QFontMetrics& metrics) const;

  QPixmap source_glyph_;
  QPixmap glyph_;  // the source with the transparent colour masked out
  QString caption_;
  int text_left_ = -1;
  QColor transparent_colour_;
  int border_width_ = 1;
  int margin_ = 5;
  bool stay_down_ = false;
  bool can_be_up_ = true;
  bool is_down_ = false;
  bool hover_ = false;
  bool pressed_ = false;
};

// The OK or Cancel button of a dialog: the glyph (art::kButtonOk, art::kButtonCancel)
// with its caption right of the icon.
ImageButton* DialogButton(QWidget* dialog, const char* glyph, const QString& caption,
                      const QString& name);

}  // namespace mrv::ui
