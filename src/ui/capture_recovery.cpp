#include "ui/capture_recovery.h"

#include <QApplication>
#include <QWidget>

#include "capture/journal_replay.h"
#include "files/recovery_folder.h"
#include "ui/message_dialog.h"
#include "ui/program_state.h"
#include "ui/stats_viewer_launcher.h"
#include "ui/ui_text.h"

namespace mrv::ui {

namespace {

bool SameWeapons(const WeaponTable& a, const WeaponTable& b) {
  if (a.size() != b.size()) return false;
  for (int i = 0; i < a.size(); ++i) {
    if (a.entry(i) != b.entry(i)) return false;
  }
  return true;
}

QString CaptureName(const std::string& started) {
  return MessageText(RecoveredGameName(started));
}

// Replays the journal and shows its game; false, after saying why, when it cannot be
// replayed here (the journal then stays).
bool Recover(ProgramState& state, ViewerLauncher& viewer, const JournalFile& journal,
             const QString& name, QWidget* parent) {
  JournalReplay replay;
  std::string error;
  if (!replay.Open(journal.path(), error)) {
    InformationBox(QStringLiteral("\r\nThe capture of ") + name +
                       QStringLiteral(" cannot be recovered: its journal ") + MessageText(error) +
                       QStringLiteral(".\r\n") + PathText(journal.path()),
                   QStringLiteral("ERROR!"), parent);
    return false;
  }
  if (!SameWeapons(replay.weapons(), state.weapons)) {
    InformationBox(QStringLiteral("\r\nThe capture of ") + name +
                       QStringLiteral(" counted with another weapon table than stats.ini holds "
                                      "now.\r\nmorvane-cli recover can save it with its own:\r\n") +
                       PathText(journal.path()),
                   QStringLiteral("ERROR!"), parent);
    return false;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const RecoveryReport report = replay.Run(state.store);
  QApplication::restoreOverrideCursor();
  if (!report.damage.empty()) {
    InformationBox(QStringLiteral("\r\nThe journal of this capture is damaged ") +
                       MessageText(report.damage) +
                       QStringLiteral(".\r\nWhat it held before is recovered."),
                   QStringLiteral("!"), parent);
  }
  parent->hide();
  OpenStatsViewer(state, viewer,
                  {.monitor = true,
                   .last_game = RecoveredGameName(report.started),
                   .never_saved = true},
                  parent);
  parent->show();
  return true;
}

}  // namespace

void OfferUnfinishedCaptures(ProgramState& state, ViewerLauncher& viewer, QWidget* parent) {
  for (const UnfinishedCapture& capture : FindUnfinishedCaptures(state.data_dir)) {
    // Another program may have taken it since it was listed.
    JournalFile journal = ClaimJournal(capture.file);
    if (journal.empty()) continue;
    const QString name = CaptureName(capture.started);
    switch (YesNoDeleteBox(QStringLiteral("A capture of ") + name +
                               QStringLiteral(" was not finished. Recover it?"),
                           QStringLiteral("?"), parent)) {
      case Choice::kYes:
        // Saved or closed on purpose: nothing is left to recover.
        if (Recover(state, viewer, journal, name, parent)) journal.Discard();
        break;
      case Choice::kDelete:
        journal.Discard();
        break;
      default:
        break;  // kept for a later start
    }
  }
}

}  // namespace mrv::ui
