#include "ui/notes_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextCursor>

#include "ui/ui_text.h"

namespace mrv::ui {

NotesEdit::NotesEdit(int max_length, QWidget* parent)
    : QPlainTextEdit(parent), max_length_(max_length) {
  setTabChangesFocus(true);
}

std::vector<std::string> NotesEdit::NoteLines() const {
  std::vector<std::string> lines;
  const QString text = toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(ToGameText(line));
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

void NotesEdit::ShowNoteLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text.append(FromGameText(line));
  const QSignalBlocker quiet(this);
  setPlainText(text.join(QLatin1Char('\n')));
}

int NotesEdit::Room() const {
  const int selected = static_cast<int>(textCursor().selectedText().size());
  return max_length_ - static_cast<int>(toPlainText().size()) + selected;
}

void NotesEdit::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool inserts = enter || (!event->text().isEmpty() && event->text().at(0).isPrint());
  if (inserts && event->text().size() > Room()) {
    event->accept();  // dropped, as a full memo drops it
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void NotesEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QString text = source->text();
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.truncate(std::max(0, Room()));
  if (!text.isEmpty()) insertPlainText(text);
}

}  // namespace mrv::ui
