#include "ui/game_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include "files/console_choice.h"
#include "ui/file_dialogs.h"
#include "ui/message_dialog.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

constexpr const char* kBridgeName = "morvane-console";
const QLatin1String kBridgePrefix("morvane-console: ");
const QLatin1String kServing("morvane-console: serving");

}  // namespace

GameLauncher::GameLauncher(std::filesystem::path data_dir, std::filesystem::path program_dir,
                           FileDialogs& file_dialogs, QWidget* window)
    : QObject(window),
      data_dir_(std::move(data_dir)),
      program_dir_(std::move(program_dir)),
      file_dialogs_(file_dialogs),
      window_(window) {}

GameLauncher::~GameLauncher() = default;

QString GameLauncher::Game() {
  const std::string kept = ReadGamePath(data_dir_);
  if (!kept.empty()) {
    const std::string problem = GameProgramProblem(kept);
    if (problem.empty()) return PathText(kept);
    InformationBox(QStringLiteral("The game's program kept for \"Start the game\"\n") +
                       PathText(kept) + QLatin1Char('\n') + QString::fromStdString(problem) +
                       QStringLiteral(".\n\nPlease choose it again."),
                   QStringLiteral("!"), window_);
  }
  return Choose(kept);
}

QString GameLauncher::Choose(const std::string& kept) {
  QString folder = kept.empty() ? QDir::homePath() : QFileInfo(PathText(kept)).absolutePath();
  while (true) {
    const QString chosen =
        file_dialogs_.OpenFile(window_, folder, QStringLiteral("Urban Terror (*)"));
    if (chosen.isEmpty()) return {};
    const std::string problem = GameProgramProblem(PathFromText(chosen));
    if (problem.empty()) {
      // Not being able to keep it only means being asked again next time.
      SaveGamePath(data_dir_, PathFromText(chosen).string());
      return chosen;
    }
    InformationBox(chosen + QLatin1Char('\n') + QString::fromStdString(problem) +
                       QStringLiteral(".\n\nPlease choose the game's program."),
                   QStringLiteral("ERROR!"), window_);
    folder = QFileInfo(chosen).absolutePath();
  }
}

void GameLauncher::Change() {
  Choose(ReadGamePath(data_dir_));
}

QString GameLauncher::Kept() const {
  const std::string kept = ReadGamePath(data_dir_);
  return kept.empty() ? QStringLiteral("Choose the game's program")
                      : QStringLiteral("The game's program: ") + PathText(kept) +
                            QStringLiteral("\nClick to choose another one.");
}

void GameLauncher::Start() {
  QString bridge = PathText(program_dir_ / kBridgeName);
  if (!QFileInfo(bridge).isExecutable()) {
    bridge = QStandardPaths::findExecutable(QString::fromLatin1(kBridgeName));
  }
  if (bridge.isEmpty()) {
    Fail(QStringLiteral("The console bridge morvane-console is missing beside Morvane and on PATH."));
    return;
  }
  const QString game = Game();
  if (game.isEmpty()) return;
  const QFileInfo info(game);
  bridge_messages_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                      QStringLiteral("/morvane-console-XXXXXX"));
  if (!bridge_messages_->open()) bridge_messages_.reset();

  QProcess process;
  process.setProgram(bridge);
  QStringList arguments;
  // The socket the capture will look for.
  const std::string socket = ReadConsoleChoice(data_dir_).bridge_socket;
  if (!socket.empty()) arguments << QStringLiteral("--socket") << PathText(socket);
  arguments << QStringLiteral("--") << info.absoluteFilePath() << QStringLiteral("+set")
            << QStringLiteral("ttycon") << QStringLiteral("1");
  process.setArguments(arguments);
  // The game finds its files from its own folder.
  process.setWorkingDirectory(info.absolutePath());
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(bridge_messages_ ? bridge_messages_->fileName()
                                                : QProcess::nullDevice());
  if (!process.startDetached()) {
    bridge_messages_.reset();
    Fail(process.errorString());
    return;
  }
  if (bridge_messages_) {
    QTimer::singleShot(kStartCheck, this, &GameLauncher::CheckStarted);
  }
}

void GameLauncher::CheckStarted() {
  if (!bridge_messages_) return;
  QFile messages(bridge_messages_->fileName());
  QString failure;
  if (messages.open(QIODevice::ReadOnly)) {
    const QStringList lines =
        QString::fromLocal8Bit(messages.read(64 * 1024)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
      if (line.startsWith(kBridgePrefix) && !line.startsWith(kServing)) {
        failure = line.mid(kBridgePrefix.size());
        break;
      }
    }
  }
  bridge_messages_.reset();
  if (failure.startsWith(QLatin1String("cannot start "))) {
    failure += QStringLiteral("\n\nChoose another program with \"change...\" beside the button.");
  }
  if (!failure.isEmpty()) Fail(failure);
}

void GameLauncher::Fail(const QString& why) {
  InformationBox(QStringLiteral("Unable to start the game!\n\n") + why, QStringLiteral("ERROR!"),
                 window_);
}

}  // namespace mrv::ui
