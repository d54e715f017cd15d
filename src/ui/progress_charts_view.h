// The six progress charts of the viewer's Progress window, painted with
// QPainter in the windows' dark style. It keeps its own copy of the progress and lays
// the charts out when that or its size changes; painting only draws what was laid out.
// The game under the pointer is marked in its chart, and named through pointChanged.
#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <vector>

#include "views/progress_chart.h"

namespace mrv::ui {

class ProgressChartsView : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressChartsView(QWidget* parent);

  void SetProgress(Progress progress);
  const std::vector<ChartLayout>& charts() const { return charts_; }

 signals:
  // The game under the pointer and its values; empty when the pointer is over none.
  void pointChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Hovered {
    std::size_t chart = 0;
    std::size_t game = 0;
    bool operator==(const Hovered&) const = default;
  };

  void LayOut();
  void Hover(std::optional<Hovered> hovered);

  Progress progress_;
  std::vector<ChartLayout> charts_;
  std::optional<Hovered> hovered_;
};

}  // namespace mrv::ui
