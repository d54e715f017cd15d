// How the capture dialog's details button ("bdetails") opens the profile manager: modally,
// with its Open button hidden, over `parent`. The manager (TFProfiles, object name
// "profiles") is built beside the dialog; until it is part of the program, this tells so.
#pragma once

class QWidget;

namespace mrv::ui {

struct ProgramState;

void ShowProfileDetails(ProgramState& state, QWidget* parent);

}  // namespace mrv::ui
