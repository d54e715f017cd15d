// Draws the program's icon: a dark plate with a white scope, a red aim point and the
// two teams' colours, as PNG files at the sizes the desktop's icon theme asks for and as
// one SVG for every other size, both from the same figures. Same input, same pictures.
//
// usage: morvane-app-icon OUTPUT_FOLDER   (run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

// The icon on a 256 x 256 canvas.
constexpr double kCanvas = 256;
constexpr QRectF kPlate(10, 10, 236, 236);
constexpr double kPlateRadius = 44;
constexpr double kPlateBorder = 4;
const QColor kPlateTop(0x3c, 0x3c, 0x3c);
const QColor kPlateBottom(0x10, 0x10, 0x10);
const QColor kPlateEdge(0x5c, 0x5c, 0x5c);

constexpr QPointF kCentre(128, 118);
constexpr double kRing = 66;
constexpr double kStroke = 14;
const QColor kScope(0xf2, 0xf2, 0xf2);
// The four arms of the cross, from outside the ring to short of the aim point.
constexpr double kArmOut = 86;
constexpr double kArmIn = 32;
constexpr double kAimPoint = 15;
const QColor kAim(0xd8, 0x1c, 0x1c);

constexpr QRectF kBlueBar(52, 214, 76, 16);
constexpr QRectF kRedBar(128, 214, 76, 16);
const QColor kBlue(0x1c, 0x6c, 0xd0);
const QColor kRed(0xc8, 0x14, 0x14);

struct Arm {
  QPointF from, to;
};

std::array<Arm, 4> Arms() {
  const double x = kCentre.x(), y = kCentre.y();
  return {{{{x - kArmOut, y}, {x - kArmIn, y}},
           {{x + kArmIn, y}, {x + kArmOut, y}},
           {{x, y - kArmOut}, {x, y - kArmIn}},
           {{x, y + kArmIn}, {x, y + kArmOut}}}};
}

QImage Png(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kCanvas, size / kCanvas);

  QLinearGradient shade(kPlate.topLeft(), kPlate.bottomLeft());
  shade.setColorAt(0, kPlateTop);
  shade.setColorAt(1, kPlateBottom);
  p.setPen(QPen(kPlateEdge, kPlateBorder));
  p.setBrush(shade);
  p.drawRoundedRect(kPlate, kPlateRadius, kPlateRadius);

  p.setPen(QPen(kScope, kStroke, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(kCentre, kRing, kRing);
  for (const Arm& arm : Arms()) p.drawLine(arm.from, arm.to);

  p.setPen(Qt::NoPen);
  p.setBrush(kAim);
  p.drawEllipse(kCentre, kAimPoint, kAimPoint);
  p.fillRect(kBlueBar, kBlue);
  p.fillRect(kRedBar, kRed);
  return image;
}

QString Number(double value) {
  return QString::number(value, 'g', 6);
}

QString Svg() {
  QString svg;
  const auto add = [&svg](const QString& line) { svg += line + QLatin1Char('\n'); };
  add(QStringLiteral(R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="%1" height="%1" viewBox="0 0 %1 %1">)svg")
          .arg(Number(kCanvas)));
  add(QStringLiteral(R"svg(  <defs><linearGradient id="plate" x1="0" y1="0" x2="0" y2="1">)svg"
                     R"svg(<stop offset="0" stop-color="%1"/><stop offset="1" stop-color="%2"/>)svg"
                     R"svg(</linearGradient></defs>)svg")
          .arg(kPlateTop.name(), kPlateBottom.name()));
  add(QStringLiteral(R"svg(  <rect x="%1" y="%2" width="%3" height="%4" rx="%5" fill="url(#plate)" stroke="%6" stroke-width="%7"/>)svg")
          .arg(Number(kPlate.x()), Number(kPlate.y()), Number(kPlate.width()), Number(kPlate.height()),
               Number(kPlateRadius), kPlateEdge.name(), Number(kPlateBorder)));
  add(QStringLiteral(R"svg(  <g fill="none" stroke="%1" stroke-width="%2" stroke-linecap="round">)svg")
          .arg(kScope.name(), Number(kStroke)));
  add(QStringLiteral(R"svg(    <circle cx="%1" cy="%2" r="%3"/>)svg")
          .arg(Number(kCentre.x()), Number(kCentre.y()), Number(kRing)));
  for (const Arm& arm : Arms()) {
    add(QStringLiteral(R"svg(    <line x1="%1" y1="%2" x2="%3" y2="%4"/>)svg")
            .arg(Number(arm.from.x()), Number(arm.from.y()), Number(arm.to.x()), Number(arm.to.y())));
  }
  add(QStringLiteral("  </g>"));
  add(QStringLiteral(R"svg(  <circle cx="%1" cy="%2" r="%3" fill="%4"/>)svg")
          .arg(Number(kCentre.x()), Number(kCentre.y()), Number(kAimPoint), kAim.name()));
  for (const auto& [bar, colour] : {std::pair{kBlueBar, kBlue}, std::pair{kRedBar, kRed}}) {
    add(QStringLiteral(R"svg(  <rect x="%1" y="%2" width="%3" height="%4" fill="%5"/>)svg")
            .arg(Number(bar.x()), Number(bar.y()), Number(bar.width()), Number(bar.height()),
                 colour.name()));
  }
  add(QStringLiteral("</svg>"));
  return svg;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: morvane-app-icon OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  const QString out_dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out_dir);
  bool all_saved = true;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const QString path = out_dir + QStringLiteral("/morvane-%1.png").arg(size);
    if (!Png(size).save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      all_saved = false;
    }
  }
  QFile svg(out_dir + QStringLiteral("/morvane.svg"));
  if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(Svg().toUtf8()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
    all_saved = false;
  }
  return all_saved ? 0 : 1;
}
