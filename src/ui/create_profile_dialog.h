// CreateProfileDialog, the dialog that asks for a new profile: its name, its first nickname
// and notes (at most 100 characters), above the line "A file
// will be created with the extension .mrv". The name field refuses the characters
// \ / * : ? | < > and the double quote as they are typed or pasted.
//
// OK with an empty name or nickname beeps and stays. When the profile's file
// exists already, it asks whether to overwrite it (Yes, No, Cancel) and goes on only on
// Yes. Then the dialog closes as confirmed; it writes nothing itself: its opener
// creates the file from FileName(), Nickname() and Notes(). Cancel and the
// close image close it unconfirmed.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/window_art.h"

class QLineEdit;

namespace mrv::ui {

class NotesEdit;

class CreateProfileDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{300, 272};
  static constexpr int kNotesLimit = 100;

  explicit CreateProfileDialog(std::filesystem::path data_dir, QWidget* parent = nullptr);

  bool Confirmed() const { return confirmed_; }
  // The profile's file name: the name typed and ".mrv".
  std::string FileName() const;
  std::string Nickname() const;
  std::vector<std::string> Notes() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Confirm();

  std::filesystem::path data_dir_;
  ArtPicture background_;
  QLineEdit* name_;
  QLineEdit* nick_;
  NotesEdit* notes_;
  bool confirmed_ = false;
};

}  // namespace mrv::ui
