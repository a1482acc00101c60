// The connection to the camera when the main window starts: the line
// selection opens the line, looks for the camera over the baud rates and
// reads its settings into the pages.
#include "serial/line_selection.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"

namespace cct {

void CCtrlToolDlg::ConnectAtStartUp() {
  LineSelectionHooks hooks;
  hooks.fullRead = [this] { FullRead(); };
  hooks.selectBaudIndex = [this](int index) { communication_->SelectBaudRate(index); };
  hooks.setCurrentArea = [this](int area) { SetCurrentArea(area); };
  LineSelection selection(context_.serial, context_.command, context_.ui, context_.cameraModel,
                          context_.preferences, std::move(hooks));
  selection.StartUpConnection();
}

}  // namespace cct
