#include "ui/status_box.h"

#include <QScrollBar>

namespace mrv::ui {

StatusBox::StatusBox(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("Memo1"));
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

void StatusBox::Add(const QString& line) {
  lines_.append(line);
  Changed();
}

void StatusBox::Clear() {
  lines_.clear();
  Changed();
}

void StatusBox::RemoveLastIf(const QString& line) {
  if (lines_.isEmpty() || lines_.last() != line) return;
  lines_.removeLast();
  Changed();
}

void StatusBox::Changed() {
  // A handful of lines: writing them all again is simpler than editing the document.
  setPlainText(lines_.join(QLatin1Char('\n')));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  emit lastLineChanged(LastLine());
}

}  // namespace mrv::ui
