// ProfileManagerWindow, the profile manager: lists the profiles of the program
// directory, shows one, edits its notes and nicknames, creates and deletes profiles and
// opens one. It is a modal dialog; its openers create it on the stack:
//
//   ProfileManagerWindow manager(state.data_dir, state.profile_store, state.loaded_profile,
//   parent); manager.SetProfileViewer(...);  // the main window: Open shows the profile's games
//   manager.SetLoadOnly(true);      // the viewer's "Add game to profile": Open only loads
//   manager.HideOpenButton();       // the capture dialog: for editing only
//   manager.exec();
//
// The Open button is there with LoadOnly or a profile viewer, unless hidden.
// Open loads the shown profile: the profile_store opens its file and the LoadedProfile slot
// gets its name and nicknames. With LoadOnly the manager then closes and the profile
// stays open and loaded for the caller, who releases it. Otherwise the manager hides,
// the profile viewer runs (the stats viewer in profile mode) and its error text, if
// any, is shown; then the profile is closed, the slot emptied and the manager closed.
//
// Widgets: the profile list (entry 0 "<no profile loaded>"), the info box, the notes (at
// most 200 characters), the nickname editor (nickname_editor.h); Create, Delete, Save,
// Open and Cancel. While notes or nicknames differ from the file, a single-shot timer
// blinks the frame around Save: first after 200 ms,
// then shown for 3000 ms and hidden for 100 ms. Every file change goes through the
// profile_store's locked, crash-safe writes; failures are shown titled "ERROR!" and leave
// the window open. Cancel, Escape and the close image ask about pending changes first, as
// switching profiles and Open do; a failed save keeps the window open. Enter on the
// profile list is Open; Tab goes from the list to Create and Delete, the profile's box and
// notes, the nickname editor, then Save, Open and Cancel.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/profile_store.h"
#include "ui/window_art.h"

class QFrame;
class QListWidget;
class QPlainTextEdit;
class QTimer;

namespace mrv::ui {

class NicknameEditor;
class NotesEdit;
class ImageButton;
struct ProgramState;

class ProfileManagerWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr QSize kSize{600, 384};
  static constexpr int kNotesLimit = 200;

  // Shows the loaded profile in the stats viewer's profile mode, modally over `parent`;
  // returns the viewer's error text, empty when it had none.
  using ProfileViewer = std::function<std::string(QWidget* parent)>;

  ProfileManagerWindow(std::filesystem::path data_dir, ProfileStore& profile_store, LoadedProfile& loaded,
             QWidget* parent = nullptr);

  void SetLoadOnly(bool load_only);
  void SetProfileViewer(ProfileViewer viewer);
  void HideOpenButton();
  // Cancel, Escape and the close image: pending changes are settled first.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  void FillProfileList();
  // The user chose entry `row` of the profile list.
  void SelectProfile(int row);
  // Asks whether to save pending changes and saves them on OK. False when the save
  // failed and the changes are still pending.
  bool SettlePendingChanges();
  bool SaveShownProfile();
  void ShowProfile(int row);
  void ClearProfile();
  void SelectListEntry(const std::string& file);

  void Create();
  void Delete();
  void Save();
  void Open();
  void ArrangeOpenButton();

  void StartPendingTimer();
  void StopPendingTimer();
  void Blink();

  std::filesystem::path data_dir_;
  ProfileStore& profile_store_;
  LoadedProfile& loaded_;
  bool load_only_ = false;
  bool open_hidden_ = false;
  ProfileViewer viewer_;

  std::vector<std::string> files_;  // the profile list's entries
  std::string shown_file_;          // the profile shown, empty for none
  bool shown_valid_ = false;        // it was read and can be saved and opened
  bool pending_ = false;

  ArtPicture background_;
  QListWidget* profiles_;
  QPlainTextEdit* info_;
  NotesEdit* notes_;
  NicknameEditor* nicknames_;
  QFrame* save_frame_;
  ImageButton* open_;
  QTimer* save_timer_;
};

// "Add game to profile" with no profile loaded: the manager with LoadOnly, modally over
// `parent`. A profile opened there stays open and loaded in the state.
void LoadProfileOnly(ProgramState& state, QWidget* parent);

}  // namespace mrv::ui
