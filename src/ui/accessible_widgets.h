// What a screen reader learns of the program's own widgets, which paint what the
// standard widgets would hold as children.
//
// A widget that paints lines of text (the stats viewer's row lists, the popups, the main
// window's recent-files panel) implements AccessibleLines: it is then a list or a menu
// whose children are its lines, each with its text and state, which the reader can
// press as a click or a key would. A ClickableLabel reads as the role its owner gave it
// (a button, a link, a page tab) with its text as its name, and can be pressed. The
// image buttons are QAbstractButtons and read as Qt's own buttons do.
//
// InstallAccessibleWidgets, once in main (and in every program that shows the windows),
// teaches Qt's accessibility these widgets. A widget whose lines change calls
// LineFocusMoved when its keyboard cursor moves, so that the reader follows it.
#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

class QWidget;

namespace mrv::ui {

class AccessibleLines {
 public:
  virtual ~AccessibleLines() = default;

  // QAccessible::List (lines are ListItems) or QAccessible::PopupMenu (MenuItems).
  virtual QAccessible::Role LinesRole() const = 0;
  virtual int LineCount() const = 0;
  virtual QString LineText(int line) const = 0;
  // Selected, focused (the keyboard cursor while the widget has the focus), hot-tracked
  // (under the pointer), unavailable (a grey line).
  virtual QAccessible::State LineState(int line) const = 0;
  // In the widget's coordinates.
  virtual QRect LineRect(int line) const = 0;
  // What a click on the line (or Enter on it) does.
  virtual void PressLine(int line) = 0;
};

void InstallAccessibleWidgets();

// Tells an active screen reader that the keyboard cursor of `widget` (an AccessibleLines)
// is on `line` now.
void LineFocusMoved(QWidget* widget, int line);

}  // namespace mrv::ui
