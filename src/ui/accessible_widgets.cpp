#include "ui/accessible_widgets.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "ui/clickable_label.h"

namespace mrv::ui {

namespace {

AccessibleLines* LinesOf(QWidget* widget) {
  return dynamic_cast<AccessibleLines*>(widget);
}

// One line of an AccessibleLines widget. It lives in Qt's cache of interfaces, made by
// its widget's interface on first request and removed with it; it reads its line anew
// on every question, so the lines may change under it.
class LineInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  LineInterface(QWidget* owner, int line) : owner_(owner), line_(line) {}

  bool isValid() const override {
    return owner_ != nullptr && line_ < LinesOf(owner_)->LineCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return owner_->window()->windowHandle(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(owner_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name && isValid() ? LinesOf(owner_)->LineText(line_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect line = LinesOf(owner_)->LineRect(line_);
    return {owner_->mapToGlobal(line.topLeft()), line.size()};
  }
  QAccessible::Role role() const override {
    return LinesOf(owner_)->LinesRole() == QAccessible::PopupMenu ? QAccessible::MenuItem
                                                                  : QAccessible::ListItem;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state = LinesOf(owner_)->LineState(line_);
    state.focusable = !state.disabled;
    state.selectable = role() == QAccessible::ListItem;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && isValid()) LinesOf(owner_)->PressLine(line_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QWidget> owner_;
  int line_;
};

// A widget of lines: a list or a menu whose children are the lines.
class LinesInterface final : public QAccessibleWidget {
 public:
  explicit LinesInterface(QWidget* widget) : QAccessibleWidget(widget, LinesOf(widget)->LinesRole()) {}
  ~LinesInterface() override {
    for (const QAccessible::Id id : lines_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return LinesOf(widget())->LineCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(lines_.size()) <= index) {
      auto* line = new LineInterface(widget(), static_cast<int>(lines_.size()));
      lines_.push_back(QAccessible::registerAccessibleInterface(line));
    }
    return QAccessible::accessibleInterface(lines_[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (QAccessible::accessibleInterface(lines_[i]) == child) return static_cast<int>(i);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
      if (LinesOf(widget())->LineRect(i).contains(local)) return child(i);
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    for (int i = 0; i < childCount(); ++i) {
      if (LinesOf(widget())->LineState(i).focused) return child(i);
    }
    return QAccessibleWidget::focusChild();
  }

 private:
  mutable std::vector<QAccessible::Id> lines_;
};

// A ClickableLabel: the role its owner gave, its text as its name, and a press.
class ClickableLabelInterface final : public QAccessibleWidget {
 public:
  explicit ClickableLabelInterface(ClickableLabel* label)
      : QAccessibleWidget(label, label->AccessibleRole()) {}

  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      static_cast<ClickableLabel*>(widget())->Activate();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (LinesOf(widget) != nullptr) return new LinesInterface(widget);
  if (auto* label = qobject_cast<ClickableLabel*>(widget)) return new ClickableLabelInterface(label);
  return nullptr;
}

}  // namespace

void InstallAccessibleWidgets() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

void LineFocusMoved(QWidget* widget, int line) {
  if (!QAccessible::isActive() || line < 0) return;
  QAccessibleEvent event(widget, QAccessible::Focus);
  event.setChild(line);
  QAccessible::updateAccessibility(&event);
}

}  // namespace mrv::ui
