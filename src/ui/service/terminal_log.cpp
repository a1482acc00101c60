// The terminal's list: every line on the wire with its time stamp, newest at
// the top, and saving it to a file.
#include <algorithm>
#include <utility>

#include "ui/service/log_file.h"
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
  // Newest first, as the list shows them.
  const LogFileKind kind{QStringLiteral("csv"),
                         {QStringLiteral("CSV file (*.csv)"), QStringLiteral("*.csv")},
                         /*newestFirst=*/true};
  if (SaveLogFile(context_, this, lines_, kind)) {
    PrintLine(QStringLiteral("Writing file has been done !"));
  }
}

}  // namespace cct
