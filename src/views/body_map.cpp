#include "views/body_map.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "views/report_pictures.h"

namespace mrv {

namespace {

constexpr QRgb kLabelColour = qRgb(0x00, 0xFF, 0x00);
// Small enough for "100%" to fit right of the rightmost anchors.
constexpr int kLabelPixelSize = 10;

struct Shares {
  std::int64_t total = 0;
  std::array<int, kBodyAreaCount> percent{};
  std::array<int, kBodyAreaCount> intensity{};
};

// Rounded to the nearest integer, ties to even.
int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

Shares SharesOf(const Grid& grid) {
  std::array<std::int64_t, kBodyAreaCount> counts{};
  Shares shares;
  for (const GridRow& row : grid) {
    const int area = HitLocationToArea(row.name);
    std::int64_t count = 0;
    const char* end = row.count.data() + row.count.size();
    if (area < 0 || row.count.empty() || std::from_chars(row.count.data(), end, count).ptr != end) {
      continue;
    }
    counts[static_cast<std::size_t>(area)] += count;
    shares.total += count;
  }
  if (shares.total <= 0) return shares;
  for (std::size_t a = 0; a < counts.size(); ++a) {
    shares.percent[a] =
        RoundHalfEven(static_cast<double>(counts[a]) / static_cast<double>(shares.total) * 100.0);
  }
  const int largest = *std::max_element(shares.percent.begin(), shares.percent.end());
  for (std::size_t a = 0; a < counts.size(); ++a) {
    const int level = largest > 0 ? RoundHalfEven(shares.percent[a] * 255.0 / largest) : 0;
    shares.intensity[a] = std::clamp(level, 0, 255);
  }
  return shares;
}

// The text's top-left corner when its bottom is at `bottom`: the top is the bottom
// less the text height.
void DrawTextAt(QPainter& painter, int left, int bottom, const QString& text) {
  const QFontMetrics metrics(painter.font());
  painter.drawText(QPoint(left, bottom - metrics.height() + metrics.ascent()), text);
}

void DrawLabel(QPainter& painter, QPoint anchor, int percent) {
  const QString text = QString::number(percent) + QLatin1Char('%');
  const int x = anchor.x();
  const int y = anchor.y();
  if (x >= 85) {
    const int raised = y <= 90 ? y - 20 : y;
    painter.drawLine(x, y, x + 30, raised);
    painter.drawLine(x + 30, raised, x + 40, raised);
    DrawTextAt(painter, x + 40, raised, text);
  } else {
    painter.drawLine(x, y, x - 30, y);
    DrawTextAt(painter, x - 30 - QFontMetrics(painter.font()).horizontalAdvance(text), y, text);
  }
}

}  // namespace

QImage BodyMapSurface(int height, int scale) {
  QImage surface(kBodyMapWidth * scale, height * scale, QImage::Format_RGB32);
  surface.setDevicePixelRatio(scale);
  surface.fill(kBodyPictureBackground);
  QPainter painter(&surface);
  painter.drawImage(0, 0, BodyPicture(scale));
  return surface;
}

void FloodFill(QImage& image, QPoint start, QRgb colour) {
  if (!image.rect().contains(start)) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
    image.convertTo(QImage::Format_ARGB32);
  }
  auto* const first_line = reinterpret_cast<QRgb*>(image.bits());
  const auto stride = static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4);
  auto line = [&](int y) { return first_line + stride * y; };
  const QRgb target = line(start.y())[start.x()];
  if (target == colour) return;
  // Scanline fill: each seed grows into its whole run of the target colour on its
  // line, then seeds the runs above and below it.
  std::vector<QPoint> seeds{start};
  while (!seeds.empty()) {
    const QPoint seed = seeds.back();
    seeds.pop_back();
    QRgb* row = line(seed.y());
    if (row[seed.x()] != target) continue;
    int left = seed.x();
    int right = seed.x();
    while (left > 0 && row[left - 1] == target) --left;
    while (right + 1 < image.width() && row[right + 1] == target) ++right;
    std::fill(row + left, row + right + 1, colour);
    for (const int y : {seed.y() - 1, seed.y() + 1}) {
      if (y < 0 || y >= image.height()) continue;
      const QRgb* next = line(y);
      for (int x = left; x <= right; ++x) {
        if (next[x] == target && (x == left || next[x - 1] != target)) seeds.emplace_back(x, y);
      }
    }
  }
}

void DrawHitMap(QImage& surface, const Grid& hits_grid, QPoint anchor_shift) {
  const Shares shares = SharesOf(hits_grid);
  if (shares.total <= 0) return;
  // The fill works on the surface's own pixels.
  const int scale = static_cast<int>(surface.devicePixelRatio());
  for (std::size_t a = 0; a < kBodyAnchors.size(); ++a) {
    FloodFill(surface, (kBodyAnchors[a] + anchor_shift) * scale, qRgb(shares.intensity[a], 0, 0));
  }
  QPainter painter(&surface);
  QFont font = QGuiApplication::font();
  font.setPixelSize(kLabelPixelSize);
  painter.setFont(font);
  painter.setPen(QColor(kLabelColour));
  for (std::size_t a = 0; a < kBodyAnchors.size(); ++a) {
    DrawLabel(painter, kBodyAnchors[a] + anchor_shift, shares.percent[a]);
  }
  const QFontMetrics metrics(font);
  const int top = surface.height() / scale - metrics.height() - 1;
  painter.drawText(QPoint(0, top + metrics.ascent()),
                   QStringLiteral("Total: ") + QString::number(shares.total));
}

}  // namespace mrv
