// The dark look every window shares: its colours, its font, and the application-wide
// palette and style that ApplyTheme sets once in main (and in every test program).
#pragma once

#include <QColor>

class QApplication;
class QLabel;
class QString;
class QWidget;

namespace mrv::ui {

namespace colours {
inline const QColor kBackground{0x08, 0x08, 0x08};  // window backgrounds
inline const QColor kRow{0x30, 0x30, 0x30};         // rows, the hovered line
inline const QColor kBorder{0x4a, 0x4a, 0x4a};      // the 1-pixel window border
inline const QColor kText{0xd8, 0xd8, 0xd8};        // ordinary text
inline const QColor kDimText{0x9a, 0x9a, 0x9a};     // hints, secondary lines
inline const QColor kLinkHover{0xc0, 0xc0, 0xc0};   // a link under the pointer
inline const QColor kFocus{0x5a, 0xa0, 0xe8};       // the frame of the keyboard focus
inline const QColor kBlueTeam{0x00, 0x53, 0xa6};
inline const QColor kRedTeam{0x9f, 0x00, 0x00};
// The stats viewer's lists and grids.
inline const QColor kListBackground{0x16, 0x16, 0x16};
inline const QColor kSelectedPlayer{0x00, 0x00, 0x00};
inline const QColor kSelectedMap{0x5c, 0x5c, 0x5c};  // dark enough for white text at 4.5:1
inline const QColor kAllMapsText{0x00, 0x40, 0x80};
inline const QColor kGreyText{0x80, 0x80, 0x80};  // a menu slot that does nothing
}  // namespace colours

// The height of the title strip along the top of every window: its own widgets and the
// resize grips start below it.
inline constexpr int kTitleStripHeight = 20;

// A heading over a block of the stats viewer ("Maps:", "Your stats:", "Kills:"), in
// bold at 12 pixels.
QLabel* NewHeading(const QString& text, QWidget* parent);

// The contrast ratio of two colours as WCAG 2 defines it, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
// `text` as it is when it reads on `background` at WCAG AA for normal text (4.5:1);
// otherwise made lighter (on a light background darker) to a little more than that.
QColor ReadableOn(const QColor& text, const QColor& background);

// Shows a label's text in the dim colour of hints and advice.
void DimText(QWidget& label);

// Fusion with a dark palette and DejaVu Sans, so that text renders the same on every
// desktop and offscreen.
void ApplyTheme(QApplication& app);

}  // namespace mrv::ui
