// The main window's recent-files panel: four lines, "   browse" and the three recent log
// files (each "1 - " and the shortened name, the full name as its hint). The line under the pointer
// is highlighted; leaving the panel hides it; releasing the mouse over a line chooses it.
#pragma once

#include <QWidget>
#include <array>

#include "files/settings.h"

class QLabel;

namespace mrv::ui {

class RecentFilesPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLineHeight = 20;
  static constexpr int kWidth = 280;

  explicit RecentFilesPanel(QWidget* parent);

  // The captions and hints of RefreshRecentLabels.
  void SetRecentLabels(const std::array<RecentLabel, kRecentFileCount>& labels);
  // The line under the pointer, -1 when none: 0 is browse, 1 to 3 the recent files.
  int HighlightedLine() const { return highlighted_; }

 signals:
  void browseChosen();
  // 0 for the most recent file.
  void recentChosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int LineAt(int y) const;
  void Highlight(int line);

  std::array<QLabel*, kRecentFileCount + 1> lines_;
  int highlighted_ = -1;
};

}  // namespace mrv::ui
