// The main window's entry points into the operations that the page binding,
// the flash areas, the setting files, the LUT tables and the identity
// dialogs bring. Until they are there, each does nothing.
#include "ui/main/ctrl_tool_dlg.h"

#include "serial/camera_model.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/page_binding.h"

namespace cct {

void CCtrlToolDlg::SetUpControls() {
  binding_->SetUpControls();
}
void CCtrlToolDlg::PutAllValues() {
  binding_->PutAllValues();
}
bool CCtrlToolDlg::SendChangedValues() {
  return binding_->SendChangedValues();
}
void CCtrlToolDlg::FullRead() {
  binding_->FullRead();
}
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
void CCtrlToolDlg::Recalibrate(int) {}
void CCtrlToolDlg::WriteModelId() {}
void CCtrlToolDlg::ReadXmlVersion() {}
void CCtrlToolDlg::WriteXmlVersion() {}
void CCtrlToolDlg::ResetCamera() {}
void CCtrlToolDlg::StoreAll() {}

namespace {
// A monochrome camera uses the green table only.
constexpr int kMonochromeEditor = 1;
}  // namespace

void CCtrlToolDlg::ShowLutEditors() {
  if (IsKnownModel(context_.cameraModel.modelIndex)) {
    CLUTDlg& editor = *lutEditors_[kMonochromeEditor];
    editor.setWindowTitle(QStringLiteral("LUT Setting for Monochrome"));
    editor.ShowNormal();
    return;
  }
  for (auto& editor : lutEditors_) editor->ShowNormal();
}

void CCtrlToolDlg::HideLutEditors() {
  if (IsKnownModel(context_.cameraModel.modelIndex)) {
    lutEditors_[kMonochromeEditor]->hide();
    return;
  }
  for (auto& editor : lutEditors_) editor->hide();
}

}  // namespace cct
