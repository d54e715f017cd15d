#include "ui/theme.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QStyleFactory>

namespace mrv::ui {

QLabel* NewHeading(const QString& text, QWidget* parent) {
  auto* heading = new QLabel(text, parent);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPixelSize(12);
  heading->setFont(bold);
  return heading;
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
