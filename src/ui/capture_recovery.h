// The captures that never ended on purpose (the program crashed, was killed, the
// machine lost power), offered when the program starts: each journal of the recovery
// folder that no running capture holds, oldest first, with the question "A capture of
// <date> was not finished. Recover it?". Yes replays the journal into the current store
// and opens the viewer on it, unsaved, so that closing asks; the journal goes when the
// viewer has closed. No keeps the journal for a later start; Delete removes it.
#pragma once

class QWidget;

namespace mrv::ui {

class ViewerLauncher;
struct ProgramState;

// Runs with the current store empty and leaves it so; `parent` (the main window) is
// hidden while a recovered game is shown.
void OfferUnfinishedCaptures(ProgramState& state, ViewerLauncher& viewer, QWidget* parent);

}  // namespace mrv::ui
