#pragma once

#include "ui/main/ui_context.h"

namespace cct {

class CLUTDlg;

// Moves one editor's table to and from the camera, entry by entry: "LUTI"
// selects the entry, "LUTD" carries its level. Every window is disabled
// meanwhile and the progress window counts the entries.
class LutTransfer {
 public:
  explicit LutTransfer(const UiContext& context) : context_(context) {}

  // All 256 entries; an entry whose index the camera did not take is not
  // sent, and a camera that stops answering ends the transfer. True when
  // every entry was written; otherwise one message says how many were.
  bool WriteTable(CLUTDlg& editor);
  // All 256 entries, shown in View Mode; true then. A read that does not
  // get every entry leaves the editor's table and mode as they were.
  bool ReadTable(CLUTDlg& editor);

 private:
  UiContext context_;
};

}  // namespace cct
