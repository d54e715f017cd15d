// ImageButton, the image button of every window: a glyph of two frames side by side
// (frame 0 normal, frame 1 while the pointer is over it, while it is pressed or latched),
// a caption drawn over it, and an optional latched state.
//
//   auto* ok = new ImageButton(box);
//   ok->setObjectName(names::kOkButton);
//   ok->SetGlyph(ArtPicture(art::kButtonOk));  // the button takes one frame's size
//   ok->SetCaption(QStringLiteral("OK"));
//   connect(ok, &ImageButton::clicked, box, &MessageDialog::AnswerOk);
//
// It is a QAbstractButton: Tab reaches it (a click does not take the focus from a list
// or a field), Space and Enter click it, the arrow keys move to its neighbours, an '&'
// in the caption gives it an Alt shortcut, and a screen reader reads its caption (or
// its accessible name, for a glyph without one) and its state. Keyboard focus shows as
// a thin frame inside its edge, in the windows' blue.
//
// A StayDown button latches when clicked while up; clicked while latched, it comes up
// again only when CanBeUp is set (tabs are StayDown buttons with CanBeUp false, turned
// off by their neighbours through SetIsDown). clicked is emitted for every click.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>

#include "ui/window_art.h"

namespace mrv::ui {

class ImageButton : public QAbstractButton {
  Q_OBJECT

 public:
  static constexpr int kDefaultSize = 25;

  explicit ImageButton(QWidget* parent = nullptr);

  // Both size the button to one frame of the glyph (25 x 25 without one).
  void SetGlyph(const ArtPicture& glyph);
  // The caption; "&&" is an ampersand, '&' before a letter makes Alt+letter click it.
  void SetCaption(const QString& caption);
  // The caption's left edge; -1 (the default) centres it between the margins. It is
  // always centred from top to bottom.
  void SetTextLeft(int left);
  // Pixels of this colour in the glyph are not drawn; an invalid colour (the default)
  // leaves the glyph's own transparency.
  void SetTransparentColor(const QColor& colour);

  // A StayDown button is checkable: its latched state is its checked state, which
  // SetIsDown sets (and which another button never has).
  void SetStayDown(bool stay_down) { setCheckable(stay_down); }
  void SetCanBeUp(bool can_be_up) { can_be_up_ = can_be_up; }
  bool IsDown() const { return isChecked(); }
  void SetIsDown(bool down) { setChecked(down); }

  QSize sizeHint() const override;

 signals:
  // The pointer came over the button, or the keyboard focus did.
  void highlighted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void nextCheckState() override;

 private:
  void PrepareGlyph();
  QRect CaptionRect(const QFontMetrics& metrics) const;

  ArtPicture source_glyph_;
  ArtPicture glyph_;  // the source with the transparent colour masked out
  int text_left_ = -1;
  QColor transparent_colour_;
  static constexpr int kBorderWidth = 1;  // a pressed caption shifts right and down by it
  static constexpr int kMargin = 5;       // between the edges and the caption
  bool can_be_up_ = true;
  bool hover_ = false;
};

// The OK or Cancel button of a dialog: the glyph (art::kButtonOk, art::kButtonCancel)
// with its caption right of the icon.
ImageButton* DialogButton(QWidget* dialog, const char* glyph, const QString& caption,
                          const QString& name);

}  // namespace mrv::ui
