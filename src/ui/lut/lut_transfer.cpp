#include "ui/lut/lut_transfer.h"

#include "lut/lut_camera_transfer.h"
#include "protocol/command.h"
#include "protocol/command_table.h"
#include "ui/kit/busy_cursor.h"
#include "ui/kit/event_pump.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

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
  const LutTable table = editor.Table();
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  int written = 0;
  {
    BusyCursor::Scope busy;
    DisabledDialogs disabled(context_.ui.GetRegistry());
    progress.Open(&editor, QString::fromLatin1(kWriting));
    written = WriteLutToCamera(context_.command, table,
                               [&progress](int i) { ShowProgress(progress, kWriting, i); });
  }
  progress.Close();
  if (written == kLutEntries) return true;
  context_.ui.GetPrompter().MessageBox(&editor,
                                       QString::fromStdString(LutWriteShortfallText(written)),
                                       QString::fromLatin1(kAppCaption), MsgIcon::Warning);
  return false;
}

bool LutTransfer::ReadTable(CLUTDlg& editor) {
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  LutTable table = editor.Table();
  bool complete = false;
  {
    BusyCursor::Scope busy;
    DisabledDialogs disabled(context_.ui.GetRegistry());
    progress.Open(&editor, QString::fromLatin1(kReading));
    complete = ReadLutFromCamera(context_.command, table,
                                 [&progress](int i) { ShowProgress(progress, kReading, i); });
    // Shown before the progress window's last second, so its repaints show
    // the table just read.
    if (complete) editor.ShowTable(table);
  }
  progress.Close();
  return complete;
}

}  // namespace cct
