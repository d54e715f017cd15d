#include "ui/profile_details.h"

#include "ui/message_box.h"

namespace mrv::ui {

void ShowProfileDetails(ProgramState&, QWidget* parent) {
  InformationBox(QStringLiteral("The profile manager is not part of this build yet."),
                 QStringLiteral("Profiles"), parent);
}

}  // namespace mrv::ui
