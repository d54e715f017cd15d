// Small pieces the dialogs share beside DialogButton (image_button.h): the caption
// above a box, the dim look of a hint line and the failure box.
#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace mrv::ui {

// A small bold caption above a list or a box.
QLabel* SectionCaption(QWidget* parent, const QString& text, QRect geometry);
void DimText(QLabel& label);
// A failure in the information box, titled "ERROR!".
void ShowError(const QString& text, QWidget* parent);

}  // namespace mrv::ui
