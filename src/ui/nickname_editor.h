// The profile manager's nickname editor: the caption, the list in file order, the entry
// field (a click on a nickname copies it there; Enter adds it) and the buttons Add,
// Remove, up and down. Edits follow the rules of
// files/profile_nicknames.h; a refusal is shown titled "ERROR!". Every change is told
// through edited(); the manager writes the list back.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace mrv::ui {

class NicknameEditor : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 180;
  // Where the Add and Remove row starts, in the editor.
  static constexpr int kButtonsTop = 284;

  explicit NicknameEditor(QWidget* parent);

  // Shows the nicknames. Without an editable profile, Add is refused.
  void Show(std::vector<std::string> nicknames, bool editable);
  const std::vector<std::string>& nicknames() const { return nicknames_; }

 signals:
  void edited();

 private:
  void Add();
  void Remove();
  void Move(bool up);
  void Refill(int selected);

  std::vector<std::string> nicknames_;
  bool editable_ = false;
  QListWidget* list_;
  QLineEdit* entry_;
};

}  // namespace mrv::ui
