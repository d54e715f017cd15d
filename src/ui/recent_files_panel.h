// The main window's recent-files panel: four lines, "   browse" and the three recent log
// files (each "1 - " and the shortened name, the full name as its hint). The line under
// the pointer is highlighted; leaving the panel hides it; releasing the mouse over a line
// chooses it. The panel paints its lines itself, so that the pointer's moves reach it
// wherever they are.
//
// From the keyboard (the parse button gives it the focus): Up and Down highlight a line,
// Enter or Space chooses it, Escape or Tab hides the panel and gives the focus back. A
// screen reader reads it as a menu of its lines.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

#include "files/settings.h"
#include "ui/accessible_widgets.h"

namespace mrv::ui {

class RecentFilesPanel : public QWidget, public AccessibleLines {
  Q_OBJECT

 public:
  static constexpr int kLineHeight = 20;
  static constexpr int kWidth = 280;
  static constexpr int kLineCount = kRecentFileCount + 1;

  explicit RecentFilesPanel(QWidget* parent);

  // The captions and hints of RefreshRecentLabels.
  void SetRecentLabels(const std::array<RecentLabel, kRecentFileCount>& labels);
  // Shows the panel over the other widgets; `focus` gives it the keyboard.
  void Open(bool focus);
  // The line under the pointer or chosen by the keys, -1 when none: 0 is browse, 1 to 3
  // the recent files.
  int HighlightedLine() const { return highlighted_; }
  // A point inside line `line`, in the panel's coordinates.
  static QPoint LinePoint(int line) { return {10, 1 + line * kLineHeight + kLineHeight / 2}; }

  QAccessible::Role LinesRole() const override { return QAccessible::PopupMenu; }
  int LineCount() const override { return kLineCount; }
  QString LineText(int line) const override;
  QAccessible::State LineState(int line) const override;
  QRect LineRect(int line) const override;
  void PressLine(int line) override;

 signals:
  void browseChosen();
  // 0 for the most recent file.
  void recentChosen(int index);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int LineAt(int y) const;
  void Highlight(int line);

  std::array<QString, kLineCount> captions_;
  std::array<QString, kLineCount> hints_;
  int highlighted_ = -1;
  QPointer<QWidget> focus_before_;
};

}  // namespace mrv::ui
