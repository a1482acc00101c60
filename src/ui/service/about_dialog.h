#pragma once

#include <QString>

#include <array>

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"
#include "ui/service/identity_text.h"

namespace cct {

// "About This Control": the tool's name and version, the camera's model,
// firmware, FPGA and device versions, camera ID and user ID, the user ID's
// write (and in factory mode the device version's), and the help documents
// of the working folder. Modal, run by "&About this application"; every
// opening reads the camera again.
class CAboutDialog : public CStatusDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(const UiContext& context);
  ~CAboutDialog() override;

  // The buttons, as the operator runs them. The saves are false when
  // nothing was written.
  void OnProtectUserId();
  void OnEnableUserIdEdit();
  bool OnSaveUserId();
  bool OnSaveDeviceVersion();
  // Opens the selected help document in the desktop's viewer.
  bool OnViewHelpFile();

  // The four device version fields, joined as they are saved.
  QString DeviceVersionText() const;

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  void FillHelpList();
  void ShowPlaceholders();
  void ReadCameraData();
  void ApplyControlMode();
  void UpdateSaveButtons();
  bool UserIdEditable() const;
  bool DeviceVersionKnown() const;

  UiContext context_;
  QString helpFolder_;
  // A field is known once the camera answered it or the operator typed into
  // it; only known values are written back.
  bool userIdKnown_ = false;
  std::array<bool, kDeviceVersionParts> versionPartKnown_{};
};

}  // namespace cct
