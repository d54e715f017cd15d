#include "ui/message_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ui/box_placement.h"
#include "ui/image_button.h"
#include "ui/keyboard_focus.h"
#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kSide = 12;  // left and right margin of the message and the field
constexpr int kButtonGap = 12;
constexpr int kButtonBottom = 9;
constexpr int kInputHeight = 22;

ScriptedBoxes* active_script = nullptr;

QWidget* ParentOrActive(QWidget* parent) {
  return parent != nullptr ? parent : QApplication::activeWindow();
}

// The platform's message box, centred on its window like the program's own.
class CentredMessageBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // gives the box its final size
    CentreOnWindow(*this, parentWidget());
  }
};

}  // namespace

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent),
      background_(art::kMessageBackground),
      frame_(new WindowFrame(this, QString(), {.minimise = false})),
      message_(new QLabel(this)),
      input_(new QLineEdit(this)),
      ok_button_(DialogButton(this, art::kButtonOk, QStringLiteral("OK"), names::kOkButton)),
      cancel_button_(
          DialogButton(this, art::kButtonCancel, QStringLiteral("Cancel"), names::kCancelButton)) {
  setObjectName(names::kMessageDialog);
  setModal(true);
  resize(kSize);
  message_->setObjectName(names::kMessage);
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  input_->setObjectName(names::kMessageInput);
  input_->installEventFilter(this);
  connect(ok_button_, &ImageButton::clicked, this, [this] { Answer(true); });
  connect(cancel_button_, &ImageButton::clicked, this, [this] { Answer(false); });
}

void MessageDialog::SetInputText(const QString& text) {
  input_->setText(text);
}

void MessageDialog::Arrange() {
  frame_->SetTitle(caption_);
  message_->setText(message_text_);
  input_->setAccessibleName(message_text_);
  input_->setVisible(input_shown_);
  ok_button_->setVisible(ok_);
  cancel_button_->setVisible(cancel_);

  const int text_top = kTitleStripHeight + 6;
  const int text_width = kSize.width() - 2 * kSide;
  const int below_text = kButtonBottom + ok_button_->height() + 6 + (input_shown_ ? kInputHeight + 4 : 0);
  const int room = kSize.height() - text_top - below_text;
  const int extra = std::max(0, message_->heightForWidth(text_width) - room);
  resize(kSize.width(), kSize.height() + extra);

  message_->setGeometry(kSide, text_top, text_width, room + extra);
  const int buttons_top = height() - kButtonBottom - ok_button_->height();
  input_->setGeometry(kSide, buttons_top - 6 - kInputHeight, text_width, kInputHeight);
  const int middle = width() / 2;
  if (ok_ != cancel_) {
    ImageButton* only = ok_ ? ok_button_ : cancel_button_;
    only->move(middle - only->width() / 2, buttons_top);
  } else {
    ok_button_->move(middle - kButtonGap / 2 - ok_button_->width(), buttons_top);
    cancel_button_->move(middle + kButtonGap / 2, buttons_top);
  }
}

void MessageDialog::showEvent(QShowEvent* event) {
  Arrange();
  CentreOnWindow(*this, parentWidget());
  if (input_shown_) input_->setFocus();
  QDialog::showEvent(event);
}

void MessageDialog::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

bool MessageDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == input_ && event->type() == QEvent::KeyPress &&
      IsEnterKey(*static_cast<QKeyEvent*>(event))) {
    Answer(true);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
  if (ok_ && IsEnterKey(*event)) {
    Answer(true);
  } else {
    QDialog::keyPressEvent(event);
  }
}

void MessageDialog::Answer(bool ok) {
  response_ = ok;
  done(ok ? Accepted : Rejected);
}

void MessageDialog::done(int result) {
  // Cancel, Escape and the close image reach here without Answer: Response stays false.
  message_text_ = input_->text();
  QDialog::done(result);
}

bool InformationBox(const QString& message, const QString& title, QWidget* parent) {
  QString unused;
  return AskBox(message, title, unused, {.ok = true, .cancel = false, .input = false}, parent);
}

bool AskBox(const QString& message, const QString& title, QString& text, AskOptions options,
            QWidget* parent) {
  const ScriptedBoxes::Shown box{
      ScriptedBoxes::Kind::kBox, title, message, options.ok, options.cancel, options.input, text};
  if (const auto reply = ScriptedBoxes::Intercept(box)) {
    const bool ok = reply->choice == Choice::kYes;
    if (ok && options.input && reply->input) text = *reply->input;
    return ok;
  }
  MessageDialog dialog(ParentOrActive(parent));
  dialog.SetMessageText(message);
  dialog.SetCaption(title);
  dialog.SetOk(options.ok);
  dialog.SetCancel(options.cancel);
  dialog.SetInput(options.input);
  dialog.SetInputText(text);
  dialog.exec();
  text = dialog.MessageText();
  return dialog.Response();
}

void ErrorDialog(const QString& message, const QString& caption, QWidget* parent) {
  const ScriptedBoxes::Shown error{
      ScriptedBoxes::Kind::kError, caption, message, true, false, false, {}};
  if (ScriptedBoxes::Intercept(error)) return;
  CentredMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok,
                        ParentOrActive(parent));
  box.exec();
}

Choice YesNoCancelBox(const QString& message, const QString& title, QWidget* parent) {
  const ScriptedBoxes::Shown question{
      ScriptedBoxes::Kind::kYesNoCancel, title, message, false, true, false, {}};
  if (const auto reply = ScriptedBoxes::Intercept(question)) return reply->choice;
  CentredMessageBox box(QMessageBox::Question, title, message,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        ParentOrActive(parent));
  box.setDefaultButton(QMessageBox::Cancel);
  const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
  if (answer == QMessageBox::Yes) return Choice::kYes;
  return answer == QMessageBox::No ? Choice::kNo : Choice::kCancel;
}

Choice YesNoDeleteBox(const QString& message, const QString& title, QWidget* parent) {
  const ScriptedBoxes::Shown question{
      ScriptedBoxes::Kind::kYesNoDelete, title, message, false, false, false, {}};
  if (const auto reply = ScriptedBoxes::Intercept(question)) {
    return reply->choice == Choice::kCancel ? Choice::kNo : reply->choice;
  }
  QMessageBox box(QMessageBox::Question, title, message, QMessageBox::Yes | QMessageBox::No,
                  ParentOrActive(parent));
  QPushButton* remove = box.addButton(QStringLiteral("Delete"), QMessageBox::DestructiveRole);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  box.exec();
  if (box.clickedButton() == remove) return Choice::kDelete;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? Choice::kYes : Choice::kNo;
}

ScriptedBoxes::ScriptedBoxes() {
  active_script = this;
}

ScriptedBoxes::~ScriptedBoxes() {
  active_script = nullptr;
}

void ScriptedBoxes::SetNextAnswer(bool ok, std::optional<QString> input) {
  replies_.push_back({ok ? Choice::kYes : Choice::kCancel, std::move(input)});
}

void ScriptedBoxes::SetNextChoice(Choice choice) {
  replies_.push_back({choice, std::nullopt});
}

std::optional<ScriptedBoxes::Reply> ScriptedBoxes::Intercept(const Shown& box) {
  if (active_script == nullptr) return std::nullopt;
  active_script->shown_.push_back(box);
  std::optional<Reply> reply(std::in_place);
  if (!active_script->replies_.empty()) {
    reply = active_script->replies_.front();
    active_script->replies_.pop_front();
  }
  return reply;
}

}  // namespace mrv::ui
