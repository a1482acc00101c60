// The main window's entry points into the operations that the page binding,
// the flash areas, the setting files, the LUT tables and the identity
// dialogs bring. Until they are there, each does nothing.
#include "ui/main/ctrl_tool_dlg.h"

namespace cct {

void CCtrlToolDlg::SetUpControls() {}
void CCtrlToolDlg::PutAllValues() {}
bool CCtrlToolDlg::SendChangedValues() {
  return true;
}
void CCtrlToolDlg::ConnectAtStartUp() {}
void CCtrlToolDlg::FullRead() {}
void CCtrlToolDlg::OpenCameraFile() {}
void CCtrlToolDlg::SaveAllData() {}
void CCtrlToolDlg::SaveShippingData() {}
void CCtrlToolDlg::LoadSettings() {}
void CCtrlToolDlg::StoreSettings() {}
void CCtrlToolDlg::EditUserId() {}
void CCtrlToolDlg::EditCameraId() {}
void CCtrlToolDlg::OpenLutFile() {}
void CCtrlToolDlg::SaveLutFile() {}
bool CCtrlToolDlg::LoadAllTables() {
  return true;
}
void CCtrlToolDlg::About() {}

}  // namespace cct
