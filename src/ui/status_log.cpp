#include "ui/status_log.h"

#include <QScrollBar>

#include "ui/object_names.h"

namespace mrv::ui {

StatusLog::StatusLog(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(names::kStatusLog);
  setAccessibleName(QStringLiteral("Status"));
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

void StatusLog::Add(const QString& line) {
  lines_.append(line);
  Changed();
}

void StatusLog::Clear() {
  lines_.clear();
  Changed();
}

void StatusLog::RemoveLastIf(const QString& line) {
  if (lines_.isEmpty() || lines_.last() != line) return;
  lines_.removeLast();
  Changed();
}

void StatusLog::Changed() {
  // A handful of lines: writing them all again is simpler than editing the document.
  setPlainText(lines_.join(QLatin1Char('\n')));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  emit lastLineChanged(LastLine());
}

}  // namespace mrv::ui
