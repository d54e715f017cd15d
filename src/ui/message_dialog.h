// The program's own message box and its two entry points, the information box and the
// Ask box, plus the platform's standard error dialog, which the few start-up and fatal
// messages use. Core code reaches all of them through DesktopPrompt (desktop_prompt.h);
// windows call the functions here directly. Every box opens centred on its window
// (box_placement.h).
//
//   if (!AskBox(QStringLiteral("New map name:"), QStringLiteral("Rename"), name,
//               {.input = true}, this)) return;
//
// Tests never see a box: while a ScriptedBoxes object lives, every box and error dialog
// is recorded instead of shown and answered from its queue of next answers.
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "ui/window_art.h"

class QLabel;
class QLineEdit;

namespace mrv::ui {

class ImageButton;
class WindowFrame;

// MessageDialog, 264 x 135 (taller only when the message needs more lines): a title
// strip, the message, an optional input field and the image buttons OK and Cancel; a
// single shown button is centred.
// Enter in the input field answers OK and goes no further; elsewhere in the box Enter
// answers OK when OK is shown, Escape answers Cancel. When the box closes,
// MessageText holds the input field's text and Response is true for OK only.
class MessageDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{264, 135};

  explicit MessageDialog(QWidget* parent = nullptr);

  void SetMessageText(const QString& text) { message_text_ = text; }
  const QString& MessageText() const { return message_text_; }
  void SetCaption(const QString& caption) { caption_ = caption; }
  void SetOk(bool shown) { ok_ = shown; }
  void SetCancel(bool shown) { cancel_ = shown; }
  void SetInput(bool shown) { input_shown_ = shown; }
  void SetInputText(const QString& text);
  bool Response() const { return response_; }

  // Lays the box out for its properties; done when it is shown.
  void Arrange();
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Answer(bool ok);

  QString message_text_;
  QString caption_;
  bool ok_ = true;
  bool cancel_ = false;
  bool input_shown_ = false;
  bool response_ = false;
  ArtPicture background_;
  WindowFrame* frame_;
  QLabel* message_;
  QLineEdit* input_;
  ImageButton* ok_button_;
  ImageButton* cancel_button_;
};

struct AskOptions {
  bool ok = true;
  bool cancel = true;
  bool input = false;
};

// The information box: OK only. True when it was closed with OK.
bool InformationBox(const QString& message, const QString& title, QWidget* parent = nullptr);
// The Ask box with the buttons and the input field the options ask for; the field
// starts with `text`, and `text` holds what the field held when the box closed.
// True for OK (or Enter in the field) only.
bool AskBox(const QString& message, const QString& title, QString& text, AskOptions options,
            QWidget* parent = nullptr);
// The platform's standard error dialog, with one OK button.
void ErrorDialog(const QString& message, const QString& caption, QWidget* parent = nullptr);

// The platform's question dialog with Yes, No and Cancel, for the question whether to
// overwrite a profile; closing it answers Cancel.
enum class Choice { kYes, kNo, kCancel, kDelete };
Choice YesNoCancelBox(const QString& message, const QString& title, QWidget* parent = nullptr);
// The platform's question dialog with Yes, No and Delete, for the offer to recover an
// unfinished capture; closing it answers No, which changes nothing.
Choice YesNoDeleteBox(const QString& message, const QString& title, QWidget* parent = nullptr);

// For tests: while one lives, boxes and dialogs are recorded, not shown.
class ScriptedBoxes {
 public:
  enum class Kind { kBox, kError, kYesNoCancel, kYesNoDelete };
  struct Shown {
    Kind kind;
    QString title;
    QString message;
    bool ok;
    bool cancel;
    bool input;
    QString input_text;  // the field's preset
  };

  ScriptedBoxes();
  ~ScriptedBoxes();
  ScriptedBoxes(const ScriptedBoxes&) = delete;
  ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

  // The answer to the next box: OK or Cancel, and with OK what the input field holds
  // (its preset when no text is given). Boxes without an answer waiting get Cancel.
  // OK answers a Yes/No/Cancel question with Yes, Cancel with Cancel.
  void SetNextAnswer(bool ok, std::optional<QString> input = std::nullopt);
  // The answer to the next question of three buttons (for another box: OK for Yes
  // only). A Yes/No/Delete question without an answer waiting gets No.
  void SetNextChoice(Choice choice);
  const std::vector<Shown>& shown() const { return shown_; }

  struct Reply {
    Choice choice = Choice::kCancel;
    std::optional<QString> input;
  };
  // Used by the functions above: records the box and gives the next reply when a
  // script is active; nothing when none is, and the box must really be shown.
  static std::optional<Reply> Intercept(const Shown& box);

 private:
  std::deque<Reply> replies_;
  std::vector<Shown> shown_;
};

}  // namespace mrv::ui
