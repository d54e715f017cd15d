// The "Select player profile:" box of the capture dialog: the profile files of the data
// folder (entry 0 "<no profile loaded>"), and for the selected one its nicknames (under
// "Nicknames:"), its summary and notes; the details button and "(not required)".
#pragma once

#include <QGroupBox>
#include <string>
#include <vector>

#include "files/profile_store.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace mrv::ui {

class ImageButton;

class ProfilePicker : public QGroupBox {
  Q_OBJECT

 public:
  ProfilePicker(ProfileStore& profile_store, QWidget* parent = nullptr);

  // The profile files again, keeping the selected one while it is still there (else
  // entry 0), and its details shown anew.
  void Fill();
  // The selected profile's file name; empty for "<no profile loaded>".
  std::string SelectedFile() const;
  // The nicknames the list shows.
  std::vector<std::string> Nicknames() const;
  void SetRequiredShown(bool shown);
  // While a capture runs the choice is fixed: the lists and the details button are off.
  void SetChoosing(bool enabled);

 signals:
  void detailsClicked();

 private:
  // The selected profile's nicknames, summary and notes; its reading failure in the summary.
  void ShowSelected();

  ProfileStore& profile_store_;
  std::vector<std::string> files_;  // as the profile list shows them, entry 0 included
  QLabel* required_;
  ImageButton* details_;
  QListWidget* profiles_;
  QListWidget* nicknames_;
  QPlainTextEdit* summary_;
  QPlainTextEdit* notes_;
};

// The summary lines of a profile, as the picker and the profile manager show them.
QString ProfileInfoText(const std::string& file, const ProfileInfo& info);

}  // namespace mrv::ui
