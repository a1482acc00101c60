// The connection to the camera when the main window starts: the line
// selection opens the line, looks for the camera over the baud rates and
// reads its settings into the pages.
#include "serial/line_selection.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/service/communication_dialog.h"

namespace cct {

void CCtrlToolDlg::ConnectAtStartUp() {
  // The Communication dialog's line selection: its hooks show the baud
  // search in the dialog and end with the full read of this window.
  communication_->Selection().StartUpConnection();
}

}  // namespace cct
