// The main window's entry points into the operations that the page binding,
// the setting files, the LUT tables and the identity dialogs bring.
#include "ui/main/ctrl_tool_dlg.h"

#include "serial/camera_model.h"
#include "ui/lut/lut_dlg.h"
#include "ui/lut/lut_table_operations.h"
#include "ui/main/page_binding.h"
#include "ui/main/setting_file_operations.h"
#include "ui/service/about_dialog.h"
#include "ui/service/camera_id_dialog.h"
#include "ui/service/user_id_dialog.h"

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
void CCtrlToolDlg::OpenCameraFile() {
  SettingFileOperations(*this, context_).OpenCameraFile(this);
}
void CCtrlToolDlg::SaveAllData() {
  SettingFileOperations(*this, context_).SaveAllData(this);
}
void CCtrlToolDlg::SaveShippingData() {
  SettingFileOperations(*this, context_).SaveShippingData(this);
}
void CCtrlToolDlg::EditUserId() {
  CUserIdDialog dialog(context_);
  if (dialog.Create(this)) dialog.exec();
}
void CCtrlToolDlg::EditCameraId() {
  CCameraIdDialog dialog(context_);
  if (dialog.Create(this)) dialog.exec();
}
void CCtrlToolDlg::OpenLutFile() {
  LutTableOperations(*this, context_).OpenLutFile();
}
void CCtrlToolDlg::SaveLutFile() {
  LutTableOperations(*this, context_).SaveLutFile();
}
bool CCtrlToolDlg::LoadAllTables() {
  return LutTableOperations(*this, context_).LoadAllTables();
}
void CCtrlToolDlg::About() {
  CAboutDialog dialog(context_);
  if (dialog.Create(this)) dialog.exec();
}

namespace {
// A monochrome camera uses the green table only.
constexpr int kMonochromeEditor = 1;
}  // namespace

void CCtrlToolDlg::ShowLutEditors() {
  // The caption follows the camera identified now, also after another one.
  if (IsKnownModel(context_.cameraModel.modelIndex)) {
    CLUTDlg& editor = *lutEditors_[kMonochromeEditor];
    editor.setWindowTitle(QStringLiteral("LUT Setting for Monochrome"));
    editor.ShowNormal();
    return;
  }
  for (auto& editor : lutEditors_) {
    editor->setWindowTitle(editor->ColourCaption());
    editor->ShowNormal();
  }
}

void CCtrlToolDlg::HideLutEditors() {
  // All three, whatever the camera is now: one shown for an earlier camera
  // must not stay behind.
  for (auto& editor : lutEditors_) editor->hide();
}

}  // namespace cct
