// A small popup of text lines laid over its window: the stats viewer's menu and the map
// list's popup. Moving the pointer over a line highlights it,
// leaving the popup or pressing anywhere outside it hides it, and releasing any button
// but the right one over a line chooses it. Grey lines are shown but never highlighted
// nor chosen.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace mrv::ui {

class PopupLines : public QWidget {
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

 signals:
  void chosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The line at this height, -1 below the last one.
  int LineAt(int y) const;

  std::vector<Line> lines_;
  int highlighted_ = -1;
};

}  // namespace mrv::ui
