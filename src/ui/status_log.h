// The capture dialog's status box: read-only lines, the last of which is also
// the tray icon's hint.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace mrv::ui {

class StatusLog : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit StatusLog(QWidget* parent = nullptr);

  void Add(const QString& line);
  void Clear();
  // Deletes the last line only while it is `line`.
  void RemoveLastIf(const QString& line);
  const QStringList& lines() const { return lines_; }
  QString LastLine() const { return lines_.isEmpty() ? QString() : lines_.last(); }

 signals:
  void lastLineChanged(const QString& line);

 private:
  void Changed();

  QStringList lines_;
};

}  // namespace mrv::ui
