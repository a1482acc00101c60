// The terminal's list: every line on the wire with its time stamp, newest at
// the top, and saving it to a file.
#include <QSaveFile>

#include <algorithm>
#include <utility>

#include "serial/preferences.h"
#include "ui/main/file_choice.h"
#include "ui/main/ui_host.h"
#include "ui/service/terminal_dialog.h"

namespace cct {

namespace {

// Minute, second and millisecond only: the list is read for the order and
// spacing of the lines, not the hour.
QString TimeStamp(const QDateTime& now) {
  const QTime time = now.toUTC().time();
  return QStringLiteral("%1:%2:%3  ")
      .arg(time.minute(), 2, 10, QLatin1Char('0'))
      .arg(time.second(), 2, 10, QLatin1Char('0'))
      .arg(time.msec(), 3, 10, QLatin1Char('0'));
}

}  // namespace

void CTerminalDialog::SetTimeSource(TimeSource now) {
  now_ = now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); };
}

void CTerminalDialog::AddLine(const QString& text) {
  lines_.AddLine(TimeStamp(now_()) + text);
}

void CTerminalDialog::PrintLine(const QString& text) {
  qsizetype length = std::min<qsizetype>(text.size(), kPrintLimit);
  // Never half a character made of two code units.
  if (length < text.size() && text.at(length - 1).isHighSurrogate()) --length;
  AddLine(text.left(length));
}

void CTerminalDialog::SaveTerminal() {
  FileChoice choice;
  choice.save = true;
  choice.folderPreference = kPrefCommandLogFilePath;
  choice.defaultSuffix = QStringLiteral("csv");
  choice.filter = {QStringLiteral("CSV file (*.csv)"), QStringLiteral("*.csv")};
  Prompter& prompter = context_.ui.GetPrompter();
  const QString path = ChooseFile(prompter, context_.preferences, this, choice);
  if (path.isEmpty()) return;

  // Written whole into a temporary file that replaces the old one only once
  // every line is in: a failed write leaves the previous file as it was.
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  for (int row = 0; written && row < lines_.Count(); ++row) {
    const QByteArray line = lines_.Line(row).toLatin1() + "\r\n";
    written = file.write(line) == line.size();
  }
  if (written && file.commit()) {
    PrintLine(QStringLiteral("Writing file has been done !"));
  } else {
    file.cancelWriting();
    prompter.MessageBox(this, QStringLiteral("File open error !"), QString::fromLatin1(kAppCaption),
                        MsgIcon::Error);
  }
  RememberFolder(context_.preferences, kPrefCommandLogFilePath, path);
}

}  // namespace cct
