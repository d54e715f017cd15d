// A player's nickname and his seven lines, as the document's PlayerPanel gives them:
// the viewer's player panel and each half of the one-on-one window.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "views/viewer_labels.h"

class QLabel;

namespace mrv::ui {

class PlayerPanelView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNicknameHeight = 22;
  static constexpr int kLineHeight = 15;

  // The lines in `columns` columns, filled from the top down. A half of the one-on-one
  // window gives its side, which its widgets' names end with (names::OnSide).
  PlayerPanelView(std::optional<int> side, int columns, QWidget* parent);

  void Show(const std::string& nickname, const PlayerPanel& panel);
  // The height the nickname and the lines take.
  int ContentHeight() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int columns_;
  QLabel* nickname_;
  std::array<QLabel*, 7> lines_;
};

}  // namespace mrv::ui
