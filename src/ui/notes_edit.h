// The notes box of the profile windows: plain text that never grows past its length
// limit (typing at the limit is refused, a paste is cut to fit, as a memo's MaxLength
// does), read and written as a profile's note lines. Notes are 8-bit text like the rest
// of the profile file. A text longer than the limit that a profile file already holds
// is shown whole; it only cannot grow.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace mrv::ui {

class NotesEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  NotesEdit(int max_length, QWidget* parent = nullptr);

  // One line per line of the box; a last empty line (a trailing break) is none.
  std::vector<std::string> NoteLines() const;
  // Shows the lines without telling textChanged.
  void ShowNoteLines(const std::vector<std::string>& lines);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // How many characters may still be inserted in place of the selection.
  int Room() const;

  int max_length_;
};

}  // namespace mrv::ui
