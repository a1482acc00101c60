// The Communication dialog's message list: every line sent to and received
// from the camera, newest at the top, and saving it to a text file.
#include "ui/service/communication_dialog.h"
#include "ui/service/log_file.h"

namespace cct {

void CCommunicationDialog::AddMessage(const QString& text) {
  messages_.AddLine(text);
}

void CCommunicationDialog::SaveMessages() {
  // Oldest first, as the lines were exchanged.
  const LogFileKind kind{QStringLiteral("txt"),
                         {QStringLiteral("txt file (*.txt)"), QStringLiteral("*.txt")},
                         /*newestFirst=*/false};
  if (SaveLogFile(context_, this, messages_, kind)) {
    AddMessage(QStringLiteral("Writing file has been done!"));
  }
}

}  // namespace cct
