#include "ui/lut/lut_transfer.h"

#include "lut/lut_table.h"
#include "protocol/command.h"
#include "protocol/command_table.h"
#include "ui/kit/busy_cursor.h"
#include "ui/kit/event_pump.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

constexpr uint32_t kEntryMs = 1000;
constexpr char kWriting[] = "Now, writing camera gamma data.";
constexpr char kReading[] = "Now, reading camera gamma data  ";

// The message and bar after entry `index`.
void ShowProgress(CProgressBarDialog& progress, const char* base, int index) {
  progress.SetMessage(QString::fromLatin1(base) +
                      QStringLiteral("  (%1 / %2)").arg(index + 1).arg(kLutEntries));
  progress.SetPos(static_cast<int>(static_cast<float>(index) * 0.00390625f * 100.0f));
  PumpPendingEvents();
}

}  // namespace

bool LutTransfer::WriteTable(CLUTDlg& editor) {
  Command& command = context_.command;
  const LutTable table = editor.Table();
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  int written = 0;
  bool gone = false;
  {
    BusyCursor::Scope busy;
    DisabledDialogs disabled(context_.ui.GetRegistry());
    progress.Open(&editor, QString::fromLatin1(kWriting));
    for (int i = 0; i < kLutEntries && !gone; ++i) {
      // A level sent after a refused index would land on another entry.
      if (command.SendValue(kCmdLUTI, i, kEntryMs) &&
          command.SendValue(kCmdLUTD, static_cast<int32_t>(table[i]), kEntryMs)) {
        ++written;
      }
      // Without an answer the camera is gone; each further entry would only
      // wait out its limit with every window disabled.
      gone = command.LastTimedOut();
      ShowProgress(progress, kWriting, i);
    }
  }
  progress.Close();
  if (written == kLutEntries) return true;
  context_.ui.GetPrompter().MessageBox(
      &editor,
      QStringLiteral("Couldn't write the whole LUT to the camera: %1 of %2 entries were written.")
          .arg(written)
          .arg(kLutEntries),
      QString::fromLatin1(kAppCaption), MsgIcon::Warning);
  return false;
}

bool LutTransfer::ReadTable(CLUTDlg& editor) {
  Command& command = context_.command;
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  LutTable table = editor.Table();
  bool complete = true;
  {
    BusyCursor::Scope busy;
    DisabledDialogs disabled(context_.ui.GetRegistry());
    progress.Open(&editor, QString::fromLatin1(kReading));
    for (int i = 0; i < kLutEntries && complete; ++i) {
      // The level of an entry the camera did not select would be another's.
      int32_t level = 0;
      complete =
          command.SendValue(kCmdLUTI, i, kEntryMs) && command.QueryValue(kCmdLUTD, level, kEntryMs);
      if (!complete) break;
      table[i] = level < 0 ? 0 : level > static_cast<int32_t>(kLutMaxLevel) ? kLutMaxLevel : level;
      ShowProgress(progress, kReading, i);
    }
    // Shown before the progress window's last second, so its repaints show
    // the table just read.
    if (complete) editor.ShowTable(table);
  }
  progress.Close();
  return complete;
}

}  // namespace cct
