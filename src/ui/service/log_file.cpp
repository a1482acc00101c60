#include "ui/service/log_file.h"

#include <QSaveFile>

#include "serial/preferences.h"
#include "ui/main/file_choice.h"
#include "ui/main/ui_host.h"

namespace cct {

bool SaveLogFile(const UiContext& context, QWidget* owner, const LogListModel& lines,
                 const LogFileKind& kind) {
  FileChoice choice;
  choice.save = true;
  choice.folderPreference = kPrefCommandLogFilePath;
  choice.defaultSuffix = kind.suffix;
  choice.filter = kind.filter;
  Prompter& prompter = context.ui.GetPrompter();
  const QString path = ChooseFile(prompter, context.preferences, owner, choice);
  if (path.isEmpty()) return false;

  // Written whole into a temporary file that replaces the old one only once
  // every line is in: a failed write leaves the previous file as it was.
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  const int count = lines.Count();
  for (int i = 0; written && i < count; ++i) {
    const QByteArray line = lines.Line(kind.newestFirst ? i : count - 1 - i).toLatin1() + "\r\n";
    written = file.write(line) == line.size();
  }
  written = written && file.commit();
  if (!written) {
    file.cancelWriting();
    prompter.MessageBox(owner, QStringLiteral("File open error !"),
                        QString::fromLatin1(kAppCaption), MsgIcon::Error);
  }
  RememberFolder(context.preferences, kPrefCommandLogFilePath, path);
  return written;
}

}  // namespace cct
