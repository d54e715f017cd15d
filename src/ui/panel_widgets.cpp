#include "ui/panel_widgets.h"

#include <QLabel>

#include "ui/message_dialog.h"
#include "ui/theme.h"
#include "ui/ui_text.h"

namespace mrv::ui {

QLabel* SectionCaption(QWidget* parent, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  DimText(*label);
  return label;
}

void DimText(QLabel& label) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, colours::kDimText);
  label.setPalette(palette);
}

void ShowError(const QString& text, QWidget* parent) {
  InformationBox(PlainLineBreaks(text), QStringLiteral("ERROR!"), parent);
}

}  // namespace mrv::ui
