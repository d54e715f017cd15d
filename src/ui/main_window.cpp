#include "ui/main_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "files/platform_folders.h"
#include "files/saved_game.h"
#include "product.h"
#include "ui/about_window.h"
#include "ui/capture_dialog.h"
#include "ui/clickable_label.h"
#include "ui/file_dialogs.h"
#include "ui/image_button.h"
#include "ui/message_dialog.h"
#include "ui/object_names.h"
#include "ui/profile_manager_window.h"
#include "ui/recent_files_panel.h"
#include "ui/stats_viewer_launcher.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"
#include "ui/window_frame.h"

namespace mrv::ui {

namespace {

const std::string kAboutText =
    "\r\n\r\nMorvane " + std::string(kVersion) +
    " (MRV)\r\n\r\n\r\n\r\nThis is an Urban Terror client side game stats "
    "generator\r\n\r\nWritten by the Morvane developers, for everyone who plays Urban Terror.";
constexpr const char* kMonitorText =
    "\r\n\r\nSelect this and run Urban Terror.\r\n\r\nMRV will monitor your Quake 3 console and "
    "generate your stats in real time!";
constexpr const char* kParseText =
    "\r\n\r\nSelect this if you have saved a log file and you want to generate stats for that "
    "game\r\n\r\nNo time support! I recommend using the console monitor.";
constexpr const char* kLoadText = "\r\n\r\nSelected this to load a previously saved game (.stg)";
constexpr const char* kProfilesText = "\r\n\r\nView, create or modify your player profile";

constexpr int kButtonLeft = 16;
constexpr int kFirstButtonTop = 92;
constexpr int kButtonStep = 48;
constexpr QRect kDescriptionArea{202, 86, 220, 200};
constexpr int kRecentOverlap = 24;  // the parse button's caption ends before it

}  // namespace

MainWindow::MainWindow(std::unique_ptr<ProgramState> state, FileDialogs& file_dialogs, ViewerLauncher& viewer,
             CaptureDevices& devices)
    : state_(std::move(state)),
      file_dialogs_(file_dialogs),
      viewer_(viewer),
      devices_(devices),
      prompt_(this),
      background_(art::kMainBackground),
      frame_(new WindowFrame(this, QString::fromStdString(ApplicationTitle()))),
      description_(new QLabel(this)),
      recent_(nullptr),
      parse_(nullptr) {
  setObjectName(names::kMainWindow);
  setFixedSize(kSize);
  setMouseTracking(true);
  setAcceptDrops(true);
  ClickableLabel* help = frame_->AddLabel(QStringLiteral("HELP"), names::kHelpLabel);
  connect(help, &ClickableLabel::clicked, this, [this] {
    ShowAboutWindow(PathText(DescribeDataFolder(state_->folder)), this);
  });

  description_->setObjectName(names::kDescription);
  description_->setGeometry(kDescriptionArea);
  description_->setWordWrap(true);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The pointer's moves over the text reach the window, which restores the about text.
  description_->setAttribute(Qt::WA_TransparentForMouseEvents);
  ShowDescription(kAboutText.c_str());

  int top = kFirstButtonTop;
  ImageButton* monitor = AddActionButton(art::kButtonMonitor, QStringLiteral("&Monitor"),
                                         names::kMonitorButton, kMonitorText, top);
  parse_ = AddActionButton(art::kButtonParse, QStringLiteral("&Parse log"), names::kParseButton,
                           kParseText, top += kButtonStep);
  ImageButton* load = AddActionButton(art::kButtonLoad, QStringLiteral("&Load game"),
                                      names::kLoadButton, kLoadText, top += kButtonStep);
  ImageButton* profiles =
      AddActionButton(art::kButtonProfiles, QStringLiteral("P&rofiles"), names::kProfilesButton,
                      kProfilesText, top += kButtonStep);
  // The keys start on the first button and go down the buttons, then to HELP.
  setTabOrder(monitor, parse_);
  setTabOrder(parse_, load);
  setTabOrder(load, profiles);
  setTabOrder(profiles, help);
  monitor->setFocus();
  connect(monitor, &ImageButton::clicked, this, &MainWindow::MonitorGame);
  connect(parse_, &ImageButton::clicked, this, &MainWindow::ParseClicked);
  connect(load, &ImageButton::clicked, this, &MainWindow::LoadSavedGame);
  connect(profiles, &ImageButton::clicked, this, &MainWindow::ManageProfiles);

  // Over the end of the parse button, so that the pointer reaches the panel without
  // crossing the background (which hides it).
  recent_ = new RecentFilesPanel(this);
  recent_->move(parse_->geometry().right() - kRecentOverlap, parse_->y() - 2);
  recent_->hide();
  connect(recent_, &RecentFilesPanel::browseChosen, this, &MainWindow::BrowseLogFile);
  connect(recent_, &RecentFilesPanel::recentChosen, this, &MainWindow::ParseRecentFile);
  RefreshRecentLabels();
}

MainWindow::~MainWindow() = default;

ImageButton* MainWindow::AddActionButton(const char* art, const QString& caption, const QString& name,
                                const char* description, int top) {
  auto* button = new ImageButton(this);
  button->setObjectName(name);
  button->SetGlyph(ArtPicture(art));
  button->SetCaption(caption);
  button->SetTextLeft(50);
  QFont font = button->font();
  font.setPixelSize(12);
  font.setBold(true);
  button->setFont(font);
  button->move(kButtonLeft, top);
  connect(button, &ImageButton::highlighted, this,
          [this, description] { ShowDescription(description); });
  return button;
}

void MainWindow::ShowDescription(const char* text) {
  description_->setText(PlainLineBreaks(QString::fromLatin1(text)));
}

void MainWindow::RefreshRecentLabels() {
  recent_->SetRecentLabels(mrv::RefreshRecentLabels(state_->settings.recent_files));
}

void MainWindow::ParseClicked() {
  if (recent_->isVisible()) {
    BrowseLogFile();
    return;
  }
  // Pressed from the keyboard, the panel takes the keys.
  recent_->Open(parse_->hasFocus());
}

void MainWindow::MonitorGame() {
  hide();
  bool captured = false;
  JournalFile journal;
  {
    CaptureDialog dialog(*state_, devices_, file_dialogs_, this);
    captured = dialog.Execute();
    if (captured) {
      state_->store = std::move(dialog.TakeStore());
      journal = dialog.TakeJournal();
    } else if (dialog.ErrorMessage() != kCancelled) {
      InformationBox(MessageText(dialog.ErrorMessage()), QStringLiteral("ERRO!"), this);
    }
  }
  // The dialog, and its tray icon, are gone before the viewer opens.
  if (captured) {
    OpenStatsViewer(*state_, viewer_,
                    {.monitor = true, .last_game = std::nullopt, .never_saved = true}, this);
  }
  // The game was saved, or closed on purpose: nothing is left to recover.
  journal.Discard();
  show();
}

QString MainWindow::ParseLogFile(const QString& file) {
  std::string error;
  {
    CaptureDialog dialog(*state_, devices_, PathFromText(file), this);
    if (dialog.Execute()) {
      state_->store = std::move(dialog.TakeStore());
      return {};
    }
    error = dialog.ErrorMessage();
  }
  if (error != kCancelled) {
    ErrorDialog(MessageText(error), QString::fromLatin1(kErrorCaption), this);
  }
  return MessageText(error);
}

void MainWindow::BrowseLogFile() {
  recent_->hide();
  const QString file = file_dialogs_.OpenFile(this, StartFolder(state_->settings.last_dir, GameFolder()),
                                              QStringLiteral("LOG file (*.log)"));
  if (file.isEmpty()) return;
  state_->settings.last_dir = DirectoryOf(file);
  ParseChosenLog(file, QStringLiteral("ERRO!"), [this, &file] { RememberRecent(file); });
}

void MainWindow::RememberRecent(const QString& file) {
  auto& recent = state_->settings.recent_files;
  const std::string name = PathFromText(file).string();
  // A file already among them stays where it is.
  if (std::find(recent.begin(), recent.end(), name) != recent.end()) return;
  std::move_backward(recent.begin(), recent.end() - 1, recent.end());
  recent[0] = name;
}

void MainWindow::ParseRecentFile(int index) {
  recent_->hide();
  auto& recent = state_->settings.recent_files;
  if (index < 0 || index >= kRecentFileCount) return;
  const auto entry = recent.begin() + index;
  if (entry->empty()) return;
  ParseChosenLog(PathText(*entry), QStringLiteral("ERROR!"),
                 [&recent, entry] { std::rotate(recent.begin(), entry, entry + 1); });
}

void MainWindow::ParseChosenLog(const QString& file, const QString& missing_title,
                           const std::function<void()>& remember) {
  if (!QFileInfo::exists(file)) {
    InformationBox(QStringLiteral("Unable to find file: ") + file, missing_title, this);
    return;
  }
  hide();
  if (ParseLogFile(file).isEmpty()) {
    remember();
    RefreshRecentLabels();
    OpenStatsViewer(*state_, viewer_, {}, this);
  }
  show();
}

void MainWindow::LoadSavedGame() {
  const QString file = file_dialogs_.OpenFile(
      this, StartFolder(state_->settings.last_dir, state_->data_dir / "games"),
      QStringLiteral("Game (*.stg)"));
  if (file.isEmpty()) return;
  state_->settings.last_dir = DirectoryOf(file);
  ShowSavedGame(file);
}

void MainWindow::ShowSavedGame(const QString& file) {
  if (!QFileInfo::exists(file)) {
    InformationBox(QStringLiteral("Unable to find file: ") + file, QStringLiteral("ERROR!"), this);
    return;
  }
  hide();
  std::string game_name;
  if (LoadGame(state_->store, PathFromText(file), game_name, prompt_)) {
    OpenStatsViewer(*state_, viewer_, {.monitor = true, .last_game = game_name}, this);
  } else {
    // Maps read before the failure would otherwise show up in the next game.
    ClearMaps(state_->store);
  }
  show();
}

void MainWindow::ShowProfileFile(const QString& file) {
  if (!LoadProfile(state_->profile_store, PathFromText(QFileInfo(file).absoluteFilePath()).string(),
                   state_->loaded_profile)) {
    InformationBox(MessageText(state_->profile_store.LastError()), QStringLiteral("ERROR!"), this);
    return;
  }
  hide();
  const std::string error = viewer_.ShowProfile(*state_, this);
  state_->profile_store.Close();
  state_->loaded_profile.reset();
  show();
  if (!error.empty()) InformationBox(MessageText(error), QStringLiteral("ERROR!"), this);
}

void MainWindow::OpenFile(const QString& file) {
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix == QLatin1String("stg")) {
    ShowSavedGame(file);
  } else if (suffix == QLatin1String("mrv")) {
    ShowProfileFile(file);
  } else {
    ParseChosenLog(file, QStringLiteral("ERROR!"), [this, &file] { RememberRecent(file); });
  }
}

void MainWindow::ManageProfiles() {
  hide();
  ProfileManagerWindow manager(state_->data_dir, state_->profile_store, state_->loaded_profile, this);
  manager.SetProfileViewer(
      [this](QWidget* parent) { return viewer_.ShowProfile(*state_, parent); });
  manager.exec();
  show();
}

namespace {

// The one local file a drag carries when it is a log, a saved game or a profile.
QString DroppableFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls()[0].isLocalFile()) return {};
  const QString file = data->urls()[0].toLocalFile();
  const QString suffix = QFileInfo(file).suffix().toLower();
  const bool known = suffix == QLatin1String("log") || suffix == QLatin1String("stg") ||
                     suffix == QLatin1String("mrv");
  return known ? file : QString();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppableFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString file = DroppableFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has ended: the viewer runs its own loop, which the drag must not wait on.
  QTimer::singleShot(0, this, [this, file] { OpenFile(file); });
}

void MainWindow::paintEvent(QPaintEvent*) {
  PaintWindowBackground(*this, background_);
}

void MainWindow::hideEvent(QHideEvent* event) {
  // A window the platform placed is placed anew each time it is shown (most window
  // managers centre it); the place it has now, pinned as its own, is where it comes back.
  if (!event->spontaneous()) move(pos());
  QWidget::hideEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  // Over a button the button's own text stays; over the background the about text returns.
  QWidget* under = childAt(event->position().toPoint());
  if (under != nullptr && under != description_) return;
  ShowDescription(kAboutText.c_str());
  recent_->hide();
}

}  // namespace mrv::ui
