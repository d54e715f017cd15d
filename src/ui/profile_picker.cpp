#include "ui/profile_picker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "model/text.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"

namespace mrv::ui {

namespace {

QPlainTextEdit* ReadOnlyBox(QWidget* parent, const QString& name, int height) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFixedHeight(height);
  return box;
}

QStringList Texts(const std::vector<std::string>& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts.append(FromGameText(line));
  return texts;
}

}  // namespace

ProfilePicker::ProfilePicker(ProfileStore& profile_store, QWidget* parent)
    : QGroupBox(QStringLiteral("Select player profile:"), parent),
      profile_store_(profile_store),
      required_(new QLabel(QStringLiteral("(not required)"), this)),
      details_(new ImageButton(this)),
      profiles_(new QListWidget(this)),
      nicknames_(new QListWidget(this)),
      summary_(ReadOnlyBox(this, names::kProfileSummary, 98)),
      notes_(ReadOnlyBox(this, names::kProfileNotes, 58)) {
  setObjectName(names::kProfilePicker);
  required_->setObjectName(names::kNotRequiredLabel);
  DimText(*required_);
  details_->setObjectName(names::kProfileDetailsButton);
  details_->SetGlyph(ArtPicture(art::kButtonDetails));
  details_->setToolTip(QStringLiteral("profile details"));
  connect(details_, &ImageButton::clicked, this, &ProfilePicker::detailsClicked);
  profiles_->setObjectName(names::kProfileList);
  nicknames_->setObjectName(names::kNicknameList);
  nicknames_->setSelectionMode(QAbstractItemView::NoSelection);
  connect(profiles_, &QListWidget::currentRowChanged, this, &ProfilePicker::ShowSelected);
  details_->setAccessibleName(QStringLiteral("Profile details"));
  profiles_->setAccessibleName(title());
  nicknames_->setAccessibleName(QStringLiteral("Nicknames"));
  summary_->setAccessibleName(QStringLiteral("Profile summary"));
  notes_->setAccessibleName(QStringLiteral("Profile notes"));
  // Tab: the profiles, what they hold, then the details button; a dialog that gives the
  // picker the focus gives it to the profiles.
  setTabOrder(profiles_, nicknames_);
  setTabOrder(nicknames_, summary_);
  setTabOrder(summary_, notes_);
  setTabOrder(notes_, details_);
  setFocusProxy(profiles_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(4);
  auto* top = new QHBoxLayout;
  top->addWidget(required_);
  top->addStretch();
  top->addWidget(new QLabel(QStringLiteral("details"), this));
  top->addWidget(details_);
  layout->addLayout(top);
  layout->addWidget(profiles_, 1);
  layout->addWidget(new QLabel(QStringLiteral("Nicknames:"), this));
  nicknames_->setFixedHeight(64);
  layout->addWidget(nicknames_);
  layout->addWidget(summary_);
  layout->addWidget(notes_);
  Fill();
}

void ProfilePicker::Fill() {
  const std::string selected = SelectedFile();
  files_ = profile_store_.FillProfileList();
  const QSignalBlocker quiet(profiles_);
  profiles_->clear();
  for (const std::string& file : files_) profiles_->addItem(PathText(file));
  const auto kept = std::find(files_.begin() + 1, files_.end(), selected);
  profiles_->setCurrentRow(
      selected.empty() || kept == files_.end() ? 0 : static_cast<int>(kept - files_.begin()));
  ShowSelected();
}

std::string ProfilePicker::SelectedFile() const {
  const int row = profiles_->currentRow();
  if (row <= 0 || row >= static_cast<int>(files_.size())) return {};
  return files_[static_cast<std::size_t>(row)];
}

std::vector<std::string> ProfilePicker::Nicknames() const {
  std::vector<std::string> nicknames;
  for (int i = 0; i < nicknames_->count(); ++i) {
    nicknames.push_back(ToGameText(nicknames_->item(i)->text()));
  }
  return nicknames;
}

void ProfilePicker::SetRequiredShown(bool shown) {
  required_->setVisible(shown);
}

void ProfilePicker::SetChoosing(bool enabled) {
  profiles_->setEnabled(enabled);
  nicknames_->setEnabled(enabled);
  details_->setEnabled(enabled);
}

void ProfilePicker::ShowSelected() {
  summary_->clear();
  notes_->clear();
  nicknames_->clear();
  const std::string file = SelectedFile();
  if (file.empty()) return;
  std::vector<std::string> nicknames;
  std::vector<std::string> notes;
  ProfileInfo info;
  if (!profile_store_.ReadProfileInfo(file, nicknames, notes, info)) {
    summary_->setPlainText(MessageText(profile_store_.LastError()));
    return;
  }
  nicknames_->addItems(Texts(nicknames));
  notes_->setPlainText(Texts(notes).join(QLatin1Char('\n')));
  summary_->setPlainText(ProfileInfoText(file, info));
}

QString ProfileInfoText(const std::string& file, const ProfileInfo& info) {
  return QStringList{
      QStringLiteral("File: ") + PathText(file),
      QStringLiteral("Total games: ") + QString::number(info.games),
      QStringLiteral("First game: ") + FromGameText(info.first_game),
      QStringLiteral("Last game: ") + FromGameText(info.last_game),
      QStringLiteral("Total time: ") + FromGameText(FormatSeconds(info.time)),
      QString(),
  }
      .join(QLatin1Char('\n'));
}

}  // namespace mrv::ui
