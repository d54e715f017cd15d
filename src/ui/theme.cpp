#include "ui/theme.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

namespace mrv::ui {

QLabel* NewHeading(const QString& text, QWidget* parent) {
  auto* heading = new QLabel(text, parent);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPixelSize(12);
  heading->setFont(bold);
  return heading;
}

namespace {

constexpr double kReadableContrast = 4.5;
// What a colour that must change is brought to: the anti-aliased strokes of small text
// show a little less than their colour, and still read at 4.5:1.
constexpr double kAimedContrast = 5.0;

double Luminance(const QColor& colour) {
  auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share) {
  auto channel = [share](int a, int b) {
    return static_cast<int>(std::lround(a + (b - a) * share));
  };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& text, const QColor& background) {
  if (ContrastRatio(text, background) >= kReadableContrast) return text;
  const QColor end = Luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
  // The least mix toward the end that reads, found by halving: the hue stays
  // recognisable (a blue name stays blue).
  double low = 0.0;
  double high = 1.0;
  for (int step = 0; step < 12; ++step) {
    const double middle = (low + high) / 2;
    (ContrastRatio(Mix(text, end, middle), background) >= kAimedContrast ? high : low) = middle;
  }
  return Mix(text, end, high);
}

void DimText(QWidget& label) {
  QPalette dim = label.palette();
  dim.setColor(QPalette::WindowText, colours::kDimText);
  label.setPalette(dim);
}

void ApplyTheme(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette palette;
  palette.setColor(QPalette::Window, colours::kBackground);
  palette.setColor(QPalette::WindowText, colours::kText);
  palette.setColor(QPalette::Base, QColor(0x14, 0x14, 0x14));
  palette.setColor(QPalette::AlternateBase, colours::kRow);
  palette.setColor(QPalette::Text, colours::kText);
  palette.setColor(QPalette::Button, QColor(0x22, 0x22, 0x22));
  palette.setColor(QPalette::ButtonText, colours::kText);
  palette.setColor(QPalette::Highlight, colours::kBlueTeam);
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, colours::kRow);
  palette.setColor(QPalette::ToolTipText, colours::kText);
  palette.setColor(QPalette::Link, Qt::white);
  palette.setColor(QPalette::PlaceholderText, colours::kDimText);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x70, 0x70, 0x70));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x70));
  app.setPalette(palette);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  app.setFont(font);
  // Slim scroll bars without arrows, as dark as the windows around them.
  app.setStyleSheet(QStringLiteral(
      "QScrollBar:vertical { background: #101010; width: 9px; margin: 0; }"
      "QScrollBar:horizontal { background: #101010; height: 9px; margin: 0; }"
      "QScrollBar::handle { background: #3c3c3c; border-radius: 4px; min-height: 20px;"
      " min-width: 20px; }"
      "QScrollBar::handle:hover { background: #5a5a5a; }"
      "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
      "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
      "QToolTip { color: #d8d8d8; background: #303030; border: 1px solid #4a4a4a; }"));
}

}  // namespace mrv::ui
