// A small popup of text lines laid over its window: the stats viewer's menu and the map
// list's popup. Moving the pointer over a line highlights it,
// leaving the popup or pressing anywhere outside it hides it, and releasing any button
// but the right one over a line chooses it. Grey lines are shown but never highlighted
// nor chosen.
//
// Shown, it takes the keyboard focus: Up and Down (Home, End) highlight the next line
// that can be chosen, Enter or Space chooses the highlighted one, and Escape or Tab hides
// the popup, which gives the focus back to where it was. A screen reader reads it as a
// menu of its lines.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/accessible_widgets.h"

namespace mrv::ui {

class PopupLines : public QWidget, public AccessibleLines {
  Q_OBJECT

 public:
  static constexpr int kLineHeight = 20;
  static constexpr int kMinimumWidth = 150;

  struct Line {
    QString caption;
    bool grey = false;
    bool separator_above = false;
  };

  PopupLines(const QString& object_name, QWidget* parent);

  // Sized to the lines: as wide as the longest caption needs, as tall as the lines plus
  // 5 pixels.
  void SetLines(std::vector<Line> lines);
  const std::vector<Line>& lines() const { return lines_; }
  // Shows the popup with its top-left corner at `top_left` of the parent, moved left or
  // up as far as needed to stay inside it.
  void ShowAt(QPoint top_left);
  int HighlightedLine() const { return highlighted_; }
  // A point inside line `index`, in the popup's coordinates.
  static QPoint LinePoint(int index) { return {10, index * kLineHeight + kLineHeight / 2}; }

  QAccessible::Role LinesRole() const override { return QAccessible::PopupMenu; }
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  QString LineText(int line) const override;
  QAccessible::State LineState(int line) const override;
  QRect LineRect(int line) const override;
  void PressLine(int line) override;

 signals:
  void chosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The line at this height, -1 below the last one.
  int LineAt(int y) const;
  void Highlight(int line);

  std::vector<Line> lines_;
  int highlighted_ = -1;
  QPointer<QWidget> focus_before_;  // where the focus goes back to when it hides
};

}  // namespace mrv::ui
