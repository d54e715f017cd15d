#include "ui/nickname_editor.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include "files/profile_nicknames.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/panel_widgets.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"

namespace mrv::ui {

namespace {

constexpr int kListTop = 18;
constexpr int kArrowSize = 25;

}  // namespace

NicknameEditor::NicknameEditor(QWidget* parent)
    : QWidget(parent), list_(new QListWidget(this)), entry_(new QLineEdit(this)) {
  setObjectName(names::kNicknameEditor);
  resize(kWidth, kButtonsTop + kArrowSize);
  SectionCaption(this, QStringLiteral("Nicknames"), {0, 0, kWidth, 16});
  list_->setObjectName(names::kNicknameList);
  list_->setAccessibleName(QStringLiteral("Nicknames"));
  list_->setGeometry(0, kListTop, kWidth - kArrowSize - 6, 196);
  entry_->setObjectName(names::kNicknameEntry);
  entry_->setAccessibleName(QStringLiteral("Nickname to add"));
  entry_->setGeometry(0, kListTop + 202, kWidth, 22);

  auto* up = DialogButton(this, art::kButtonUp, {}, names::kUpButton);
  up->move(kWidth - kArrowSize, kListTop);
  auto* down = DialogButton(this, art::kButtonDown, {}, names::kDownButton);
  down->move(kWidth - kArrowSize, kListTop + kArrowSize + 6);
  up->setAccessibleName(QStringLiteral("Move up"));
  down->setAccessibleName(QStringLiteral("Move down"));
  auto* add = DialogButton(this, art::kButtonAdd, QStringLiteral("&Add"), names::kAddButton);
  add->move(0, kButtonsTop);
  auto* remove =
      DialogButton(this, art::kButtonRemove, QStringLiteral("Re&move"), names::kRemoveButton);
  // Tab: the list and its arrows, then the entry and its buttons.
  setTabOrder(list_, up);
  setTabOrder(up, down);
  setTabOrder(down, entry_);
  remove->move(kWidth - remove->width(), kButtonsTop);

  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { entry_->setText(item->text()); });
  connect(entry_, &QLineEdit::returnPressed, this, &NicknameEditor::Add);
  connect(add, &ImageButton::clicked, this, &NicknameEditor::Add);
  connect(remove, &ImageButton::clicked, this, &NicknameEditor::Remove);
  connect(up, &ImageButton::clicked, this, [this] { Move(true); });
  connect(down, &ImageButton::clicked, this, [this] { Move(false); });
}

void NicknameEditor::Show(std::vector<std::string> nicknames, bool editable) {
  nicknames_ = std::move(nicknames);
  editable_ = editable;
  Refill(-1);
}

void NicknameEditor::Refill(int selected) {
  list_->clear();
  for (const std::string& nick : nicknames_) list_->addItem(FromGameText(nick));
  list_->setCurrentRow(selected);
}

void NicknameEditor::Add() {
  if (!editable_) {
    ShowError(
        QStringLiteral(
            "No profile selected!\r\n\nYou must open a profile before you can add nicknames."),
        this);
    return;
  }
  // An empty nickname names nobody.
  if (entry_->text().isEmpty()) {
    QApplication::beep();
    return;
  }
  const std::string refusal = AddNickname(nicknames_, ToGameText(entry_->text()));
  if (!refusal.empty()) {
    ShowError(MessageText(refusal), this);
    return;
  }
  Refill(static_cast<int>(nicknames_.size()) - 1);
  emit edited();
}

void NicknameEditor::Remove() {
  const int row = list_->currentRow();
  // The last nickname is refused even when none is selected.
  const auto index = row < 0 ? nicknames_.size() : static_cast<std::size_t>(row);
  const std::string refusal = RemoveNickname(nicknames_, index);
  if (!refusal.empty()) {
    ShowError(MessageText(refusal), this);
    return;
  }
  if (row < 0) return;
  Refill(std::min(row, static_cast<int>(nicknames_.size()) - 1));
  emit edited();
}

void NicknameEditor::Move(bool up) {
  const int row = list_->currentRow();
  if (row < 0) return;
  const auto moved = MoveNickname(nicknames_, static_cast<std::size_t>(row), up);
  if (static_cast<int>(moved) == row) return;
  Refill(static_cast<int>(moved));
  emit edited();
}

}  // namespace mrv::ui
