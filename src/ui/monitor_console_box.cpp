#include "ui/monitor_console_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "files/settings.h"
#include "ui/clickable_label.h"
#include "ui/game_launcher.h"
#include "ui/image_button.h"
#include "ui/object_names.h"
#include "ui/theme.h"
#include "ui/ui_text.h"
#include "ui/window_art.h"

namespace mrv::ui {

namespace {

constexpr std::uint16_t kShownLogPath = 34;

QLabel* Line(QWidget* parent, const QString& text, const QString& name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setToolTip(text);
  return label;
}

}  // namespace

ConsoleAdvice AdviceFor(const ConsoleChoice& choice) {
#ifdef _WIN32
  constexpr bool kWindows = true;
#else
  constexpr bool kWindows = false;
#endif
  switch (choice.backend) {
    case ConsoleBackend::kBridge:
      if (kWindows) break;
      return {QStringLiteral("Console: the game under morvane-console"),
              QStringLiteral("Start it here (or in a terminal), then OK."), true};
    case ConsoleBackend::kLog:
      if (choice.log_path.empty()) {
        return {QStringLiteral("Console: a followed qconsole.log"),
                QStringLiteral("Name the log with ConsoleLog in stats.ini first.")};
      }
      return {
          QStringLiteral("Console: ") +
              PathText(ShortenPath(kShownLogPath, choice.log_path,
                                   static_cast<char>(std::filesystem::path::preferred_separator))),
          QStringLiteral("Start the game with +set logfile 2: no replies in the game.")};
    case ConsoleBackend::kWindow:
      if (!kWindows) {
        return {QStringLiteral("Console: the game's console window"),
                QStringLiteral("Only on Windows: set Console=bridge in stats.ini.")};
      }
      return {QStringLiteral("Console: the game's console window"),
              QStringLiteral("Start Urban Terror as usual.")};
  }
  return {QStringLiteral("Console: morvane-console"),
          QStringLiteral("Not on Windows: set Console=window in stats.ini.")};
}

MonitorConsoleBox::MonitorConsoleBox(const std::filesystem::path& data_dir,
                                     const std::filesystem::path& program_dir,
                                     FileDialogs& file_dialogs, QWidget* parent)
    : QGroupBox(QStringLiteral("Monitor:"), parent) {
  setObjectName(names::kConsoleBox);
  const ConsoleChoice choice = ReadConsoleChoice(data_dir);
  const ConsoleAdvice advice = AdviceFor(choice);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(3);
  layout->addWidget(Line(this, advice.console, names::kConsoleLine));
  QLabel* todo = Line(this, advice.todo, names::kConsoleTodo);
  DimText(*todo);
  layout->addWidget(todo);
  if (advice.starts_game) {
    auto* start = new ImageButton(this);
    start->setObjectName(names::kStartGameButton);
    start->SetGlyph(ArtPicture(art::kButtonStartGame));
    start->SetCaption(QStringLiteral("&Start the game"));
    start->SetTextLeft(28);
    auto* launcher = new GameLauncher(data_dir, program_dir, file_dialogs, parent);
    connect(start, &ImageButton::clicked, launcher, &GameLauncher::Start);
    // A game chosen wrongly, or moved, can be chosen again.
    auto* change = new ClickableLabel(QStringLiteral("<u>change...</u>"), this);
    change->setObjectName(names::kChangeGameLink);
    change->setCursor(Qt::PointingHandCursor);
    change->setToolTip(launcher->Kept());
    DimText(*change);
    connect(change, &ClickableLabel::clicked, launcher, [launcher, change] {
      launcher->Change();
      change->setToolTip(launcher->Kept());
    });
    connect(start, &ImageButton::clicked, change,
            [launcher, change] { change->setToolTip(launcher->Kept()); });
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(start);
    row->addWidget(change);
    row->addStretch();
    layout->addLayout(row);
  }
}

}  // namespace mrv::ui
