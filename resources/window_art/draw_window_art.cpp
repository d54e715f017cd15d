// Draws the window art of the desktop program into a folder, as PNG files:
// backgrounds, image-button glyphs (two frames side by side: normal, then lit), tab and
// toggle glyphs, sort arrows and the title strip's images. Same input, same pictures.
// Everything is drawn twice: NAME.png, and NAME@2x.png at twice the pixels for
// high-density screens (the same drawing in the same coordinates, on a canvas whose
// device pixel ratio is 2, so lines and text come out finer rather than larger).
//
// usage: morvane-window-art OUTPUT_FOLDER   (run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

const QColor kBlue(0x00, 0x53, 0xa6);
const QColor kRed(0x9f, 0x00, 0x00);
const QColor kIcon(0xbc, 0xbc, 0xbc);

QString out_dir;
bool all_saved = true;
int scale = 1;  // 2 while the @2x pictures are drawn

QImage Canvas(int width, int height) {
  QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::transparent);
  return image;
}

// The canvas in the coordinates the drawing uses.
QRect Area(const QImage& image) {
  return {QPoint(0, 0), image.deviceIndependentSize().toSize()};
}

void Save(const QImage& image, const char* name) {
  QString file = QLatin1String(name);
  if (scale != 1) file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
  const QString path = out_dir + QLatin1Char('/') + file;
  if (!image.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    all_saved = false;
  }
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

QColor Alpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

// ---- backgrounds ----

void DarkGradient(QPainter& p, QRect area, QColor top, QColor bottom) {
  QLinearGradient shade(area.topLeft(), area.bottomLeft());
  shade.setColorAt(0, top);
  shade.setColorAt(1, bottom);
  p.fillRect(area, shade);
}

// Fine diagonal lines, barely visible, that keep a large dark surface from looking flat.
void Hatch(QPainter& p, QRect area, int spacing, int alpha) {
  p.save();
  p.setClipRect(area);
  p.setPen(QPen(QColor(255, 255, 255, alpha), 1));
  for (int x = -area.height(); x < area.width(); x += spacing) {
    p.drawLine(x, area.bottom(), x + area.height(), area.top());
  }
  p.restore();
}

// A scope: rings and a cross, very faint, as a watermark.
void Scope(QPainter& p, QPointF centre, double radius, int alpha) {
  p.save();
  Smooth(p);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, alpha), 2));
  p.drawEllipse(centre, radius, radius);
  p.setPen(QPen(QColor(255, 255, 255, alpha), 1));
  p.drawEllipse(centre, radius * 0.62, radius * 0.62);
  const double gap = radius * 0.18;
  p.drawLine(QPointF(centre.x() - radius * 1.12, centre.y()),
             QPointF(centre.x() - gap, centre.y()));
  p.drawLine(QPointF(centre.x() + gap, centre.y()),
             QPointF(centre.x() + radius * 1.12, centre.y()));
  p.drawLine(QPointF(centre.x(), centre.y() - radius * 1.12),
             QPointF(centre.x(), centre.y() - gap));
  p.drawLine(QPointF(centre.x(), centre.y() + gap),
             QPointF(centre.x(), centre.y() + radius * 1.12));
  p.setPen(Qt::NoPen);
  p.setBrush(Alpha(kRed, alpha * 4));
  p.drawEllipse(centre, 3, 3);
  p.restore();
}

// A bar half in the blue team's colour and half in the red team's.
void TeamBar(QPainter& p, QRectF bar) {
  QLinearGradient shade(bar.topLeft(), bar.topRight());
  shade.setColorAt(0, kBlue);
  shade.setColorAt(0.48, kBlue);
  shade.setColorAt(0.52, kRed);
  shade.setColorAt(1, kRed);
  p.fillRect(bar, shade);
}

void Wordmark(QPainter& p, QPointF origin, int pixel_size) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixel_size);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, pixel_size * 0.12);
  QPainterPath text;
  text.addText(origin, font, QStringLiteral("MORVANE"));
  QLinearGradient shade(0, origin.y() - pixel_size, 0, origin.y());
  shade.setColorAt(0, QColor(0xf4, 0xf4, 0xf4));
  shade.setColorAt(1, QColor(0x9c, 0x9c, 0x9c));
  Smooth(p);
  p.fillPath(text.translated(2, 2), QColor(0, 0, 0, 180));
  p.fillPath(text, shade);
}

void SmallCaps(QPainter& p, QPointF origin, const QString& text, int pixel_size, QColor colour) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixel_size);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(origin, text);
}

void Inset(QPainter& p, QRectF area) {
  Smooth(p);
  p.setPen(QPen(QColor(0x26, 0x26, 0x26), 1));
  p.setBrush(QColor(0, 0, 0, 110));
  p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
}

// A dark vertical gradient from `top` to `bottom` grey, fine diagonal lines when
// `hatch_spacing` is not 0, then the window's own details.
void Background(const char* name, QSize size, int top, int bottom, int hatch_spacing,
                const std::function<void(QPainter&)>& details = {}) {
  QImage image = Canvas(size.width(), size.height());
  QPainter p(&image);
  DarkGradient(p, Area(image), QColor(top, top, top), QColor(bottom, bottom, bottom));
  if (hatch_spacing != 0) Hatch(p, Area(image), hatch_spacing, 5);
  if (details) details(p);
  Save(image, name);
}

void Backgrounds() {
  Background("main_background.png", {440, 300}, 0x14, 0x06, 7, [](QPainter& p) {
    Scope(p, QPointF(360, 206), 96, 16);
    Wordmark(p, QPointF(18, 62), 34);
    TeamBar(p, QRectF(20, 70, 188, 2));
    SmallCaps(p, QPointF(214, 74), QStringLiteral("URBAN TERROR STATS"), 9,
              QColor(0x8c, 0x8c, 0x8c));
    Inset(p, QRectF(190, 82, 240, 210));
  });
  Background("about_background.png", {420, 405}, 0x15, 0x06, 7, [](QPainter& p) {
    Scope(p, QPointF(350, 72), 54, 22);
    TeamBar(p, QRectF(26, 114, 368, 2));
    Inset(p, QRectF(10, 120, 400, 275));
  });
  Background("message_background.png", {264, 135}, 0x18, 0x08, 7);
  Background("viewer_background.png", {841, 523}, 0x12, 0x06, 9,
             [](QPainter& p) { Scope(p, QPointF(760, 440), 120, 9); });
  Background("panel_background.png", {256, 256}, 0x14, 0x07, 0);
}

// ---- glyphs ----

using Icon = std::function<void(QPainter&, QRectF box, QColor colour)>;

// A glyph of two frames; `draw` paints one frame into its rectangle, lit or not.
QImage TwoFrames(int width, int height, const std::function<void(QPainter&, QRectF, bool)>& draw) {
  QImage image = Canvas(width * 2, height);
  QPainter p(&image);
  Smooth(p);
  for (int frame = 0; frame < 2; ++frame) {
    p.save();
    draw(p, QRectF(frame * width, 0, width, height), frame == 1);
    p.restore();
  }
  return image;
}

void Plate(QPainter& p, QRectF r, bool lit, QColor accent, double radius) {
  QLinearGradient shade(r.topLeft(), r.bottomLeft());
  shade.setColorAt(0, lit ? QColor(0x34, 0x34, 0x34) : QColor(0x22, 0x22, 0x22));
  shade.setColorAt(1, lit ? QColor(0x1e, 0x1e, 0x1e) : QColor(0x12, 0x12, 0x12));
  p.setPen(QPen(lit ? accent : QColor(0x3a, 0x3a, 0x3a), 1));
  p.setBrush(shade);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  // A highlight along the top edge.
  p.setPen(QPen(QColor(255, 255, 255, lit ? 40 : 22), 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

QPen IconPen(QColor colour, double width = 1.6) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void MonitorIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c));
  p.setBrush(Qt::NoBrush);
  const QRectF screen(b.left() + 2, b.top() + 3, b.width() - 4, b.height() - 9);
  p.drawRoundedRect(screen, 2, 2);
  p.drawLine(QPointF(b.center().x(), screen.bottom()), QPointF(b.center().x(), b.bottom() - 2));
  p.drawLine(QPointF(b.center().x() - 5, b.bottom() - 1.5),
             QPointF(b.center().x() + 5, b.bottom() - 1.5));
  // A pulse across the screen: the capture is live.
  QPainterPath pulse;
  const double y = screen.center().y();
  pulse.moveTo(screen.left() + 2, y);
  pulse.lineTo(screen.left() + 7, y);
  pulse.lineTo(screen.left() + 9, y - 5);
  pulse.lineTo(screen.left() + 12, y + 5);
  pulse.lineTo(screen.left() + 14, y);
  pulse.lineTo(screen.right() - 2, y);
  p.setPen(IconPen(c.lightness() > 200 ? QColor(0xff, 0x50, 0x50) : QColor(0xd0, 0x30, 0x30), 1.6));
  p.drawPath(pulse);
}

void DocumentIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c));
  p.setBrush(Qt::NoBrush);
  const double l = b.left() + 4, t = b.top() + 1, r = b.right() - 4, bt = b.bottom() - 1;
  p.drawPolygon(QPolygonF({{l, t}, {r - 6, t}, {r, t + 6}, {r, bt}, {l, bt}}));
  p.drawLine(QPointF(r - 6, t), QPointF(r - 6, t + 6));
  p.drawLine(QPointF(r - 6, t + 6), QPointF(r, t + 6));
  p.setPen(IconPen(c, 1.2));
  for (int i = 0; i < 4; ++i) {
    const double y = t + 10 + i * 3.5;
    p.drawLine(QPointF(l + 3, y), QPointF(r - (i % 2 == 0 ? 3 : 7), y));
  }
}

void FolderIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c));
  p.setBrush(Qt::NoBrush);
  const double l = b.left() + 1, t = b.top() + 4, r = b.right() - 1, bt = b.bottom() - 3;
  p.drawPolygon(QPolygonF({{l, bt}, {l, t}, {l + 8, t}, {l + 10, t + 3}, {r, t + 3}, {r, bt}}));
  // An arrow out of the folder: the game comes back.
  const double x = b.center().x();
  p.drawLine(QPointF(x, bt - 3), QPointF(x, t + 7));
  p.drawLine(QPointF(x - 4, t + 11), QPointF(x, t + 7));
  p.drawLine(QPointF(x + 4, t + 11), QPointF(x, t + 7));
}

void PersonIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c));
  p.setBrush(Qt::NoBrush);
  const QPointF head(b.center().x(), b.top() + 7);
  p.drawEllipse(head, 5, 5);
  QPainterPath shoulders;
  shoulders.moveTo(b.left() + 3, b.bottom() - 1);
  shoulders.cubicTo(b.left() + 3, b.top() + 14, b.right() - 3, b.top() + 14, b.right() - 3,
                    b.bottom() - 1);
  p.drawPath(shoulders);
}

void ActionButton(const char* name, const Icon& icon) {
  const QImage image = TwoFrames(160, 40, [&](QPainter& p, QRectF r, bool lit) {
    Plate(p, r, lit, kBlue, 4);
    if (lit) {
      p.fillRect(QRectF(r.left() + 1, r.top() + 6, 3, r.height() - 12), kBlue);
    }
    icon(p, QRectF(r.left() + 14, r.top() + 8, 24, 24), lit ? Qt::white : kIcon);
    // A thin divider between the icon and the caption.
    p.setPen(QPen(QColor(255, 255, 255, lit ? 30 : 18), 1));
    p.drawLine(QPointF(r.left() + 44.5, r.top() + 9), QPointF(r.left() + 44.5, r.bottom() - 9));
  });
  Save(image, name);
}

void CheckIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 2));
  p.drawLine(QPointF(b.left() + 1, b.center().y()), QPointF(b.left() + 5, b.bottom() - 2));
  p.drawLine(QPointF(b.left() + 5, b.bottom() - 2), QPointF(b.right() - 1, b.top() + 2));
}

void CrossIcon(QPainter& p, QRectF b, QColor c, double width = 2) {
  p.setPen(IconPen(c, width));
  p.drawLine(b.topLeft() + QPointF(2, 2), b.bottomRight() - QPointF(2, 2));
  p.drawLine(QPointF(b.right() - 2, b.top() + 2), QPointF(b.left() + 2, b.bottom() - 2));
}

void DialogButton(const char* name, QColor accent, const Icon& icon, int width = 75) {
  const QImage image = TwoFrames(width, 25, [&](QPainter& p, QRectF r, bool lit) {
    Plate(p, r, lit, accent, 3);
    icon(p, QRectF(r.left() + 9, r.top() + 6, 13, 13),
         lit ? accent.lighter(170) : accent.lighter(130));
  });
  Save(image, name);
}

void PlusIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 2));
  p.drawLine(QPointF(b.center().x(), b.top() + 1.5), QPointF(b.center().x(), b.bottom() - 1.5));
  p.drawLine(QPointF(b.left() + 1.5, b.center().y()), QPointF(b.right() - 1.5, b.center().y()));
}

void MinusIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 2));
  p.drawLine(QPointF(b.left() + 1.5, b.center().y()), QPointF(b.right() - 1.5, b.center().y()));
}

// A sheet with a plus in its corner: a new profile file.
void NewFileIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.3));
  p.setBrush(Qt::NoBrush);
  const double l = b.left() + 1, t = b.top(), r = b.right() - 3, bt = b.bottom();
  p.drawPolygon(QPolygonF({{l, t}, {r - 3, t}, {r, t + 3}, {r, bt}, {l, bt}}));
  PlusIcon(p, QRectF(b.right() - 7, b.bottom() - 7, 8, 8), c);
}

void BinIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.3));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(b.left() + 1, b.top() + 2.5), QPointF(b.right() - 1, b.top() + 2.5));
  p.drawLine(QPointF(b.center().x() - 2, b.top() + 0.5),
             QPointF(b.center().x() + 2, b.top() + 0.5));
  p.drawPolygon(QPolygonF({{b.left() + 2.5, b.top() + 4.5},
                           {b.right() - 2.5, b.top() + 4.5},
                           {b.right() - 3.5, b.bottom()},
                           {b.left() + 3.5, b.bottom()}}));
  p.drawLine(QPointF(b.center().x(), b.top() + 6.5), QPointF(b.center().x(), b.bottom() - 2));
}

void DiskIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.3));
  p.setBrush(Qt::NoBrush);
  const QRectF body = b.adjusted(0.5, 0.5, -0.5, -0.5);
  p.drawPolygon(QPolygonF({body.topLeft(),
                           {body.right() - 3, body.top()},
                           {body.right(), body.top() + 3},
                           body.bottomRight(),
                           body.bottomLeft()}));
  p.drawRect(QRectF(body.left() + 3, body.top(), body.width() - 7, 4));
  p.drawRect(QRectF(body.left() + 2.5, body.bottom() - 5, body.width() - 5, 5));
}

// Rising bars: the profile's figures in the stats viewer.
void BarsIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const double w = 3;
  for (int i = 0; i < 3; ++i) {
    const double height = 5 + i * 3.5;
    p.drawRect(QRectF(b.left() + 1 + i * (w + 1.5), b.bottom() - height, w, height));
  }
}

// A square button with a chevron, for moving a list entry up or down.
void ArrowButton(const char* name, bool up) {
  const QImage image = TwoFrames(25, 25, [up](QPainter& p, QRectF r, bool lit) {
    Plate(p, r, lit, kBlue, 3);
    const QPointF m = r.center();
    const double d = up ? -1 : 1;
    p.setPen(IconPen(lit ? Qt::white : kIcon, 2));
    p.drawPolyline(QPolygonF(
        {{m.x() - 5, m.y() - 2.5 * d}, {m.x(), m.y() + 2.5 * d}, {m.x() + 5, m.y() - 2.5 * d}}));
  });
  Save(image, name);
}

void PlayIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({{b.left() + 2, b.top() + 1},
                           {b.right() - 1, b.center().y()},
                           {b.left() + 2, b.bottom() - 1}}));
}

// The capture's tray icon: the monitor glyph on a dark plate with the team colours.
void TrayIcon() {
  QImage image = Canvas(32, 32);
  QPainter p(&image);
  Smooth(p);
  const QRectF r(0, 0, 32, 32);
  p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
  p.setBrush(QColor(0x16, 0x16, 0x16));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  MonitorIcon(p, r.adjusted(4, 4, -4, -4), Qt::white);
  p.fillRect(QRectF(6, 28, 10, 2), kBlue);
  p.fillRect(QRectF(16, 28, 10, 2), kRed);
  Save(image, "tray_icon.png");
}

void MagnifierIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(b.left() + 6, b.top() + 6), 4, 4);
  p.setPen(IconPen(c, 2.2));
  p.drawLine(QPointF(b.left() + 9, b.top() + 9), b.bottomRight() - QPointF(1, 1));
}

void DetailsButton() {
  const QImage image = TwoFrames(18, 18, [](QPainter& p, QRectF r, bool lit) {
    Plate(p, r, lit, kBlue, 3);
    MagnifierIcon(p, r.adjusted(3, 3, -3, -3), lit ? Qt::white : kIcon);
  });
  Save(image, "button_details.png");
}

void StripImages() {
  const QImage close = TwoFrames(16, 16, [](QPainter& p, QRectF r, bool lit) {
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xc0, 0x10, 0x10));
      p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    }
    CrossIcon(p, r.adjusted(3, 3, -3, -3), lit ? Qt::white : kIcon, 1.6);
  });
  Save(close, "frame_close.png");
  const QImage minimise = TwoFrames(16, 16, [](QPainter& p, QRectF r, bool lit) {
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    }
    p.setPen(IconPen(lit ? Qt::white : kIcon, 1.8));
    p.drawLine(QPointF(r.left() + 4.5, r.bottom() - 4.5),
               QPointF(r.right() - 4.5, r.bottom() - 4.5));
  });
  Save(minimise, "frame_minimise.png");
  const QImage maximise = TwoFrames(16, 16, [](QPainter& p, QRectF r, bool lit) {
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    }
    p.setPen(IconPen(lit ? Qt::white : kIcon, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(4.5, 4.5, -4.5, -4.5));
    p.drawLine(QPointF(r.left() + 4.5, r.top() + 5.5), QPointF(r.right() - 4.5, r.top() + 5.5));
  });
  Save(maximise, "frame_maximise.png");
}

// ---- tabs, toggle and arrows of the stats viewer ----

void CrosshairIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.4));
  p.setBrush(Qt::NoBrush);
  const QPointF m = b.center();
  p.drawEllipse(m, b.width() / 2 - 2, b.height() / 2 - 2);
  p.drawLine(QPointF(b.left(), m.y()), QPointF(m.x() - 2.5, m.y()));
  p.drawLine(QPointF(m.x() + 2.5, m.y()), QPointF(b.right(), m.y()));
  p.drawLine(QPointF(m.x(), b.top()), QPointF(m.x(), m.y() - 2.5));
  p.drawLine(QPointF(m.x(), m.y() + 2.5), QPointF(m.x(), b.bottom()));
}

void ImpactIcon(QPainter& p, QRectF b, QColor c) {
  // A figure's head and shoulders with a red hit on the chest.
  p.setPen(IconPen(c, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(b.center().x(), b.top() + 3.5), 3, 3);
  QPainterPath body;
  body.moveTo(b.left() + 1, b.bottom());
  body.cubicTo(b.left() + 1, b.top() + 7, b.right() - 1, b.top() + 7, b.right() - 1, b.bottom());
  p.drawPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe0, 0x20, 0x20));
  p.drawEllipse(QPointF(b.center().x() + 1.5, b.bottom() - 3), 2.2, 2.2);
}

void SkullIcon(QPainter& p, QRectF b, QColor c) {
  p.setPen(IconPen(c, 1.4));
  p.setBrush(Qt::NoBrush);
  const QPointF m(b.center().x(), b.top() + 6);
  QPainterPath skull;
  skull.moveTo(m.x() - 6, m.y() + 3);
  skull.arcTo(QRectF(m.x() - 6, m.y() - 6, 12, 12), 200, -220);
  skull.lineTo(m.x() + 4, b.bottom());
  skull.lineTo(m.x() - 4, b.bottom());
  skull.closeSubpath();
  p.drawPath(skull);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(m.x() - 2.5, m.y() + 1), 1.6, 1.8);
  p.drawEllipse(QPointF(m.x() + 2.5, m.y() + 1), 1.6, 1.8);
}

void Tab(const char* name, QColor accent, const Icon& icon) {
  const QImage image = TwoFrames(120, 24, [&](QPainter& p, QRectF r, bool lit) {
    QPainterPath shape;
    const QRectF t = r.adjusted(0.5, 0.5, -0.5, 0);
    shape.moveTo(t.left(), t.bottom());
    shape.lineTo(t.left(), t.top() + 4);
    shape.quadTo(t.left(), t.top(), t.left() + 4, t.top());
    shape.lineTo(t.right() - 4, t.top());
    shape.quadTo(t.right(), t.top(), t.right(), t.top() + 4);
    shape.lineTo(t.right(), t.bottom());
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, lit ? QColor(0x3a, 0x3a, 0x3a) : QColor(0x20, 0x20, 0x20));
    shade.setColorAt(1, lit ? QColor(0x30, 0x30, 0x30) : QColor(0x14, 0x14, 0x14));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(shade);
    p.drawPath(shape);
    if (lit) p.fillRect(QRectF(r.left() + 1, r.bottom() - 2, r.width() - 2, 2), accent);
    icon(p, QRectF(r.left() + 7, r.top() + 5, 14, 14), lit ? Qt::white : kIcon);
  });
  Save(image, name);
}

void DecidingHitsToggle() {
  const QImage image = TwoFrames(24, 24, [](QPainter& p, QRectF r, bool lit) {
    Plate(p, r, lit, QColor(0xd0, 0x20, 0x20), 3);
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x9f, 0x00, 0x00, 90));
      p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    }
    CrosshairIcon(p, r.adjusted(5, 5, -5, -5), lit ? Qt::white : kIcon);
    // The drop: only the hit that decided.
    QPainterPath drop;
    const QPointF tip(r.right() - 6, r.top() + 3);
    drop.moveTo(tip);
    drop.cubicTo(tip + QPointF(4, 5), tip + QPointF(2, 8), tip + QPointF(0, 8));
    drop.cubicTo(tip + QPointF(-2, 8), tip + QPointF(-4, 5), tip);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? QColor(0xff, 0x40, 0x40) : QColor(0xb0, 0x20, 0x20));
    p.drawPath(drop);
  });
  Save(image, "toggle_deciding_hits.png");
}

void SortArrow(const char* name, bool up) {
  QImage image = Canvas(9, 9);
  QPainter p(&image);
  Smooth(p);
  QPainterPath arrow;
  if (up) {
    arrow.moveTo(4.5, 1.5);
    arrow.lineTo(8, 7);
    arrow.lineTo(1, 7);
  } else {
    arrow.moveTo(1, 2);
    arrow.lineTo(8, 2);
    arrow.lineTo(4.5, 7.5);
  }
  arrow.closeSubpath();
  p.fillPath(arrow, QColor(0xd0, 0xd0, 0xd0));
  Save(image, name);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: morvane-window-art OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  out_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out_dir);

  for (scale = 1; scale <= 2; ++scale) {
    Backgrounds();

    ActionButton("button_monitor.png", MonitorIcon);
    ActionButton("button_parse.png", DocumentIcon);
    ActionButton("button_load.png", FolderIcon);
    ActionButton("button_profiles.png", PersonIcon);
    DialogButton("button_ok.png", QColor(0x2a, 0x80, 0xd8), CheckIcon);
    DialogButton("button_cancel.png", QColor(0xd0, 0x30, 0x30),
                 [](QPainter& p, QRectF b, QColor c) { CrossIcon(p, b, c); });
    // The profile manager's.
    DialogButton("button_create.png", QColor(0x30, 0xa0, 0x50), NewFileIcon);
    DialogButton("button_delete.png", QColor(0xd0, 0x30, 0x30), BinIcon);
    DialogButton("button_save.png", QColor(0x2a, 0x80, 0xd8), DiskIcon);
    DialogButton("button_open.png", QColor(0x2a, 0x80, 0xd8), BarsIcon);
    DialogButton("button_add.png", QColor(0x30, 0xa0, 0x50), PlusIcon, 85);
    DialogButton("button_remove.png", QColor(0xd0, 0x30, 0x30), MinusIcon, 85);
    ArrowButton("button_up.png", true);
    ArrowButton("button_down.png", false);
    DialogButton("button_start_game.png", QColor(0x30, 0xa0, 0x50), PlayIcon, 124);
    DetailsButton();
    StripImages();
    TrayIcon();

    Tab("tab_hits_given.png", kBlue, CrosshairIcon);
    Tab("tab_hits_taken.png", kRed, ImpactIcon);
    Tab("tab_kills_deaths.png", QColor(0x80, 0x80, 0x80), SkullIcon);
    DecidingHitsToggle();
    SortArrow("sort_ascending.png", true);
    SortArrow("sort_descending.png", false);
  }
  return all_saved ? 0 : 1;
}
