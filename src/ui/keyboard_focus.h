// The keyboard's share of the look every window has: which key is Enter, when the focus
// frame shows, and the frame itself.
//
// The focus frame (a thin rounded line in colours::kFocus) shows on the focused widget
// once the player moves the focus by keyboard (Tab, Backtab, a shortcut: Qt marks the
// window) or presses a key on a widget (NoteKeyboardUse marks it). A player who only
// uses the mouse sees the windows as they are drawn.
#pragma once

#include <QKeyEvent>
#include <QRectF>
#include <functional>

class QPainter;
class QWidget;

namespace mrv::ui {

// Return or the keypad's Enter, without Ctrl, Alt or Shift.
bool IsEnterKey(const QKeyEvent& event);
// From now on the window of `widget` shows where the keyboard focus is.
void NoteKeyboardUse(QWidget& widget);
// `widget` has the focus and its window shows it.
bool ShowsKeyboardFocus(const QWidget& widget);
void DrawFocusFrame(QPainter& painter, const QRectF& frame);

// Moves the widgets of `part` (it and its children that Tab can reach, in their order)
// to the end of the Tab order of their window: for a part made before the widgets that
// should come first.
void MoveToTabOrderEnd(QWidget& part);

// What a key does in a popup of lines, the same in every popup: Up, Down (both round
// the ends), Home and End highlight `line` (-1 when no line can be chosen); Space and
// Return choose the highlighted line; Escape and Tab close the popup; any other key is
// the widget's to handle.
struct PopupKey {
  enum class Action { kHighlight, kChoose, kClose, kOther };
  Action action = Action::kOther;
  int line = -1;
};
// From `current` (-1 for none) among `count` lines, passing over those `choosable`
// refuses.
PopupKey ReadPopupKey(int key, int current, int count, const std::function<bool(int)>& choosable);

}  // namespace mrv::ui
