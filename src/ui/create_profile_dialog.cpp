#include "ui/create_profile_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include "files/profile_store.h"
#include "ui/image_button.h"
#include "ui/keyboard_focus.h"
#include "ui/message_dialog.h"
#include "ui/notes_edit.h"
#include "ui/object_names.h"
#include "ui/panel_widgets.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kSide = 14;
constexpr int kFieldHeight = 22;

// A name with a character no profile name holds is refused whole, so a key or a paste
// that would bring one in is dropped.
class ProfileNameValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return input.isEmpty() || IsValidProfileName(input.toStdString()) ? Acceptable : Invalid;
  }
};

}  // namespace

CreateProfileDialog::CreateProfileDialog(std::filesystem::path data_dir, QWidget* parent)
    : QDialog(parent),
      data_dir_(std::move(data_dir)),
      background_(art::kPanelBackground),
      name_(new QLineEdit(this)),
      nick_(new QLineEdit(this)),
      notes_(new NotesEdit(kNotesLimit, this)) {
  setObjectName(names::kCreateProfileDialog);
  setModal(true);
  setFixedSize(kSize);
  new WindowFrame(this, QStringLiteral("New profile"), {.minimise = false});

  const int width = kSize.width() - 2 * kSide;
  int top = kTitleStripHeight + 10;
  SectionCaption(this, QStringLiteral("Profile name"), {kSide, top, width, 16});
  name_->setObjectName(names::kProfileNameField);
  name_->setAccessibleName(QStringLiteral("Profile name"));
  name_->setGeometry(kSide, top += 17, width, kFieldHeight);
  name_->setValidator(new ProfileNameValidator(name_));
  auto* extension =
      new QLabel(QStringLiteral("A file will be created with the extension .mrv"), this);
  extension->setObjectName(names::kExtensionLabel);
  extension->setGeometry(kSide, top += kFieldHeight + 2, width, 16);
  DimText(*extension);

  SectionCaption(this, QStringLiteral("Main nickname"), {kSide, top += 24, width, 16});
  nick_->setObjectName(names::kFirstNicknameField);
  nick_->setAccessibleName(QStringLiteral("Main nickname"));
  nick_->setGeometry(kSide, top += 17, width, kFieldHeight);

  SectionCaption(this, QStringLiteral("Notes"), {kSide, top += kFieldHeight + 8, width, 16});
  notes_->setObjectName(names::kProfileNotes);
  notes_->setAccessibleName(QStringLiteral("Notes"));
  auto* ok = DialogButton(this, art::kButtonOk, QStringLiteral("OK"), names::kOkButton);
  auto* cancel =
      DialogButton(this, art::kButtonCancel, QStringLiteral("Cancel"), names::kCancelButton);
  const int buttons_top = kSize.height() - 12 - ok->height();
  top += 17;
  notes_->setGeometry(kSide, top, width, buttons_top - 12 - top);
  cancel->move(kSize.width() - kSide - cancel->width(), buttons_top);
  ok->move(cancel->x() - 10 - ok->width(), buttons_top);
  connect(ok, &ImageButton::clicked, this, &CreateProfileDialog::Confirm);
  connect(cancel, &ImageButton::clicked, this, &QDialog::reject);
}

std::string CreateProfileDialog::FileName() const {
  return PathFromText(name_->text() + QStringLiteral(".mrv")).string();
}

std::string CreateProfileDialog::Nickname() const {
  return ToGameText(nick_->text());
}

std::vector<std::string> CreateProfileDialog::Notes() const {
  return notes_->NoteLines();
}

void CreateProfileDialog::Confirm() {
  if (name_->text().isEmpty() || nick_->text().isEmpty()) {
    QApplication::beep();
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(data_dir_ / FileName(), error) &&
      YesNoCancelBox(
          PlainLineBreaks(QStringLiteral("File already exists!\r\nDo you want to overwrite?")),
          QStringLiteral("?"), this) != Choice::kYes) {
    return;
  }
  confirmed_ = true;
  accept();
}

void CreateProfileDialog::keyPressEvent(QKeyEvent* event) {
  // Enter in a field (the notes take it as a line break) is OK.
  if (IsEnterKey(*event)) {
    Confirm();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CreateProfileDialog::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

}  // namespace mrv::ui
