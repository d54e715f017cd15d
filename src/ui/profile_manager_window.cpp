#include "ui/profile_manager_window.h"

#include <QApplication>
#include <QFrame>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "ui/create_profile_dialog.h"
#include "ui/image_button.h"
#include "ui/keyboard_focus.h"
#include "ui/message_dialog.h"
#include "ui/nickname_editor.h"
#include "ui/notes_edit.h"
#include "ui/object_names.h"
#include "ui/panel_widgets.h"
#include "ui/profile_picker.h"
#include "ui/program_state.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

constexpr int kFirstBlink = 200;
constexpr int kFrameShown = 3000;
constexpr int kFrameHidden = 100;
const QColor kPendingColour{0xe8, 0xa8, 0x20};

constexpr int kSide = 12;
constexpr int kCaptionTop = kTitleStripHeight + 8;
constexpr int kBoxTop = kCaptionTop + 18;
constexpr int kColumnWidth = NicknameEditor::kWidth;
constexpr int kMiddleLeft = kSide + kColumnWidth + 12;
constexpr int kMiddleWidth = ProfileManagerWindow::kSize.width() - 2 * (kColumnWidth + 12 + kSide);
constexpr int kRightLeft = ProfileManagerWindow::kSize.width() - kSide - kColumnWidth;
constexpr int kLowerRow = kCaptionTop + NicknameEditor::kButtonsTop;  // under the lists
constexpr int kBottomRow = ProfileManagerWindow::kSize.height() - 12 - 25;

// The hourglass while files are read and written.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The profile_store's last failure as the manager shows it.
void ShowProfileStoreFailure(const ProfileStore& profile_store, QWidget* parent) {
  ShowError(QStringLiteral("\r\n") + MessageText(profile_store.LastError()), parent);
}

QString FileText(const std::string& file) {
  return PathText(std::filesystem::path(file));
}

}  // namespace

ProfileManagerWindow::ProfileManagerWindow(std::filesystem::path data_dir, ProfileStore& profile_store,
                       LoadedProfile& loaded, QWidget* parent)
    : QDialog(parent),
      data_dir_(std::move(data_dir)),
      profile_store_(profile_store),
      loaded_(loaded),
      background_(art::kPanelBackground),
      profiles_(new QListWidget(this)),
      info_(new QPlainTextEdit(this)),
      notes_(new NotesEdit(kNotesLimit, this)),
      nicknames_(new NicknameEditor(this)),
      save_frame_(new QFrame(this)),
      open_(nullptr),
      save_timer_(new QTimer(this)) {
  setObjectName(names::kProfileManagerWindow);
  setModal(true);
  setFixedSize(kSize);
  new WindowFrame(this, QStringLiteral("Player profiles"));

  SectionCaption(this, QStringLiteral("Profiles"), {kSide, kCaptionTop, kColumnWidth, 16});
  profiles_->setObjectName(names::kProfileList);
  profiles_->setAccessibleName(QStringLiteral("Profiles"));
  profiles_->setGeometry(kSide, kBoxTop, kColumnWidth, kLowerRow - 8 - kBoxTop);
  SectionCaption(this, QStringLiteral("Profile"), {kMiddleLeft, kCaptionTop, kMiddleWidth, 16});
  info_->setObjectName(names::kProfileInfo);
  info_->setAccessibleName(QStringLiteral("Profile"));
  info_->setReadOnly(true);
  info_->setGeometry(kMiddleLeft, kBoxTop, kMiddleWidth, 92);
  SectionCaption(this, QStringLiteral("Notes"), {kMiddleLeft, kBoxTop + 100, kMiddleWidth, 16});
  notes_->setObjectName(names::kProfileNotes);
  notes_->setAccessibleName(QStringLiteral("Notes"));
  notes_->setGeometry(kMiddleLeft, kBoxTop + 118, kMiddleWidth, kLowerRow - 8 - kBoxTop - 118);
  nicknames_->move(kRightLeft, kCaptionTop);

  const auto button = [this](const char* art, const char* caption, const char* name, QPoint at) {
    ImageButton* made =
        DialogButton(this, art, QString::fromLatin1(caption), QString::fromLatin1(name));
    made->move(at);
    return made;
  };
  auto* create = button(art::kButtonCreate, "&Create", names::kCreateButton, {kSide, kLowerRow});
  auto* remove_file = button(art::kButtonDelete, "&Delete", names::kDeleteButton,
                             {kSide + kColumnWidth - 75, kLowerRow});
  auto* cancel = button(art::kButtonCancel, "Cancel", names::kCancelButton,
                        {kSize.width() - kSide - 75, kBottomRow});
  open_ = button(art::kButtonOpen, "&Open", names::kOpenButton, {cancel->x() - 87, kBottomRow});
  auto* save = button(art::kButtonSave, "&Save", names::kSaveButton, {open_->x() - 87, kBottomRow});
  // Tab: the profiles and their buttons, the profile, the nicknames, then Save, Open and
  // Cancel, as the eye reads the window.
  setTabOrder(profiles_, create);
  setTabOrder(create, remove_file);
  setTabOrder(remove_file, info_);
  setTabOrder(info_, notes_);
  MoveToTabOrderEnd(*nicknames_);
  MoveToTabOrderEnd(*save);
  MoveToTabOrderEnd(*open_);
  MoveToTabOrderEnd(*cancel);

  save_frame_->setObjectName(names::kSavePendingFrame);
  save_frame_->setGeometry(save->geometry().adjusted(-3, -3, 3, 3));
  save_frame_->setStyleSheet(QStringLiteral("QFrame { border: 2px solid %1; border-radius: 5px; }")
                                 .arg(kPendingColour.name()));
  save_frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  save_frame_->hide();
  save_timer_->setObjectName(names::kSaveBlinkTimer);
  save_timer_->setSingleShot(true);

  connect(profiles_, &QListWidget::currentRowChanged, this, &ProfileManagerWindow::SelectProfile);
  connect(notes_, &QPlainTextEdit::textChanged, this, &ProfileManagerWindow::StartPendingTimer);
  connect(nicknames_, &NicknameEditor::edited, this, &ProfileManagerWindow::StartPendingTimer);
  connect(create, &ImageButton::clicked, this, &ProfileManagerWindow::Create);
  connect(remove_file, &ImageButton::clicked, this, &ProfileManagerWindow::Delete);
  connect(save, &ImageButton::clicked, this, &ProfileManagerWindow::Save);
  connect(open_, &ImageButton::clicked, this, &ProfileManagerWindow::Open);
  connect(cancel, &ImageButton::clicked, this, &ProfileManagerWindow::reject);
  connect(save_timer_, &QTimer::timeout, this, &ProfileManagerWindow::Blink);

  FillProfileList();
  ClearProfile();
  ArrangeOpenButton();
}

void ProfileManagerWindow::SetLoadOnly(bool load_only) {
  load_only_ = load_only;
  ArrangeOpenButton();
}

void ProfileManagerWindow::SetProfileViewer(ProfileViewer viewer) {
  viewer_ = std::move(viewer);
  ArrangeOpenButton();
}

void ProfileManagerWindow::HideOpenButton() {
  open_hidden_ = true;
  ArrangeOpenButton();
}

void ProfileManagerWindow::ArrangeOpenButton() {
  open_->setVisible(!open_hidden_ && (load_only_ || viewer_));
}

void ProfileManagerWindow::FillProfileList() {
  files_ = profile_store_.FillProfileList();
  const QSignalBlocker quiet(profiles_);
  profiles_->clear();
  for (const std::string& file : files_) profiles_->addItem(FileText(file));
  profiles_->setCurrentRow(0);
}

void ProfileManagerWindow::SelectListEntry(const std::string& file) {
  const auto at = std::find(files_.begin(), files_.end(), file);
  const QSignalBlocker quiet(profiles_);
  profiles_->setCurrentRow(at == files_.end() ? 0 : static_cast<int>(at - files_.begin()));
}

void ProfileManagerWindow::SelectProfile(int row) {
  // Changes that could not be saved stay pending on the profile they belong to.
  if (!SettlePendingChanges()) {
    SelectListEntry(shown_file_);
    return;
  }
  const WaitCursor wait;
  ShowProfile(row);
}

bool ProfileManagerWindow::SettlePendingChanges() {
  if (!pending_) return true;
  const QString question = PlainLineBreaks(
      QStringLiteral("Player profile changed!\r\n\r\nDo you want to save the changes?"));
  QString unused;
  if (AskBox(question, QStringLiteral("?"), unused, {}, this) && !SaveShownProfile()) return false;
  StopPendingTimer();
  return true;
}

bool ProfileManagerWindow::SaveShownProfile() {
  if (profile_store_.SaveNotesAndNicknames(shown_file_, nicknames_->nicknames(), notes_->NoteLines())) {
    return true;
  }
  // Besides "Unable to save file!", the profile may be held by another program.
  ShowProfileStoreFailure(profile_store_, this);
  return false;
}

void ProfileManagerWindow::ShowProfile(int row) {
  ClearProfile();
  if (row > 0 && row < static_cast<int>(files_.size())) {
    shown_file_ = files_[static_cast<std::size_t>(row)];
    std::vector<std::string> nicknames;
    std::vector<std::string> notes;
    ProfileInfo info;
    shown_valid_ = profile_store_.ReadProfileInfo(shown_file_, nicknames, notes, info);
    if (shown_valid_) {
      info_->setPlainText(ProfileInfoText(shown_file_, info));
      notes_->ShowNoteLines(notes);
      nicknames_->Show(std::move(nicknames), true);
    } else {
      info_->setPlainText(MessageText(profile_store_.LastError()));
    }
  }
  notes_->setReadOnly(!shown_valid_);
  StopPendingTimer();
}

void ProfileManagerWindow::ClearProfile() {
  shown_file_.clear();
  shown_valid_ = false;
  info_->clear();
  notes_->ShowNoteLines({});
  notes_->setReadOnly(true);
  nicknames_->Show({}, false);
}

void ProfileManagerWindow::Create() {
  CreateProfileDialog dialog(data_dir_, this);
  dialog.exec();
  if (!dialog.Confirmed()) return;
  const std::string file = dialog.FileName();
  {
    const WaitCursor wait;
    if (!profile_store_.CreateProfileFile(file, dialog.Nickname(), dialog.Notes())) {
      ShowProfileStoreFailure(profile_store_, this);
      return;
    }
  }
  // Changes pending for the profile just overwritten are gone with its old content.
  if (file == shown_file_) StopPendingTimer();
  FillProfileList();
  SelectProfile(0);
}

void ProfileManagerWindow::Delete() {
  const int row = profiles_->currentRow();
  if (row <= 0) return;
  const std::string file = files_[static_cast<std::size_t>(row)];
  QString unused;
  if (!AskBox(PlainLineBreaks(QStringLiteral("The file ") + FileText(file) +
                              QStringLiteral(" will be deleted!\r\n\nAre you sure you want to "
                                             "delete this file?")),
              QStringLiteral("?"), unused, {}, this)) {
    return;
  }
  if (!profile_store_.DeleteProfileFile(file)) {
    ShowProfileStoreFailure(profile_store_, this);
    return;
  }
  StopPendingTimer();
  FillProfileList();
  ClearProfile();
}

void ProfileManagerWindow::Save() {
  if (!shown_valid_) return;
  const WaitCursor wait;
  // A failed save keeps the changes pending, so that they are not lost unasked.
  if (SaveShownProfile()) StopPendingTimer();
}

void ProfileManagerWindow::Open() {
  if (!shown_valid_ || open_hidden_ || (!load_only_ && !viewer_)) return;
  // The viewer and the caller read the file: what is shown should be in it.
  if (!SettlePendingChanges()) return;
  {
    const WaitCursor wait;
    if (!LoadProfile(profile_store_, shown_file_, loaded_)) {
      // Open tells nothing when the file has gone since it was listed.
      std::error_code error;
      if (!std::filesystem::exists(data_dir_ / shown_file_, error)) {
        ShowError(QStringLiteral("\r\n") + QString::fromUtf8(kUnableToOpenFile), this);
      } else {
        ShowProfileStoreFailure(profile_store_, this);
      }
      return;
    }
  }
  if (load_only_) {
    accept();
    return;
  }
  hide();
  const std::string error = viewer_(parentWidget());
  if (!error.empty()) ShowError(QStringLiteral("\r\n") + MessageText(error), parentWidget());
  profile_store_.Close();
  loaded_.reset();
  accept();
}

void ProfileManagerWindow::keyPressEvent(QKeyEvent* event) {
  // Enter on the profile list opens the profile shown (the nickname entry takes it to add).
  if (IsEnterKey(*event) && open_->isVisible()) {
    Open();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ProfileManagerWindow::done(int result) {
  StopPendingTimer();
  QDialog::done(result);
}

void ProfileManagerWindow::reject() {
  // Leaving drops what was not saved: the player says so first.
  if (!SettlePendingChanges()) return;
  QDialog::reject();
}

void ProfileManagerWindow::StartPendingTimer() {
  if (pending_) return;
  pending_ = true;
  save_timer_->start(kFirstBlink);
}

void ProfileManagerWindow::StopPendingTimer() {
  pending_ = false;
  save_timer_->stop();
  save_frame_->hide();
}

void ProfileManagerWindow::Blink() {
  save_frame_->setHidden(!save_frame_->isHidden());
  save_timer_->start(save_frame_->isHidden() ? kFrameHidden : kFrameShown);
}

void ProfileManagerWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void LoadProfileOnly(ProgramState& state, QWidget* parent) {
  ProfileManagerWindow manager(state.data_dir, state.profile_store, state.loaded_profile, parent);
  manager.SetLoadOnly(true);
  manager.exec();
}

}  // namespace mrv::ui
