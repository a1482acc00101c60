// The Communication dialog's message list: every line sent to and received
// from the camera, newest at the top, and saving it to a text file.
#include <QSaveFile>

#include "serial/preferences.h"
#include "ui/main/file_choice.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"

namespace cct {

void CCommunicationDialog::AddMessage(const QString& text) {
  messages_.AddLine(text);
}

void CCommunicationDialog::SaveMessages() {
  FileChoice choice;
  choice.save = true;
  choice.folderPreference = kPrefCommandLogFilePath;
  choice.defaultSuffix = QStringLiteral("txt");
  choice.filter = {QStringLiteral("txt file (*.txt)"), QStringLiteral("*.txt")};
  Prompter& prompter = context_.ui.GetPrompter();
  const QString path = ChooseFile(prompter, context_.preferences, this, choice);
  if (path.isEmpty()) return;

  // Written whole into a temporary file that replaces the old one only once
  // every line is in: a failed write leaves the previous log as it was.
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  for (int row = messages_.Count() - 1; written && row >= 0; --row) {
    const QByteArray line = messages_.Line(row).toLatin1() + "\r\n";
    written = file.write(line) == line.size();
  }
  if (written && file.commit()) {
    AddMessage(QStringLiteral("Writing file has been done!"));
  } else {
    file.cancelWriting();
    prompter.MessageBox(this, QStringLiteral("File open error !"), QString::fromLatin1(kAppCaption),
                        MsgIcon::Error);
  }
  RememberFolder(context_.preferences, kPrefCommandLogFilePath, path);
}

}  // namespace cct
