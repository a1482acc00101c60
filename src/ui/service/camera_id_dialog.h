#pragma once

#include <QString>

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// "Camera Id": the camera's ten-character ID, one character per edit, and in
// factory mode "Save" to write it. Modal, run by the main window's "Edit
// camera id".
class CCameraIdDialog : public CStatusDialog {
  Q_OBJECT

 public:
  explicit CCameraIdDialog(const UiContext& context);
  ~CCameraIdDialog() override;

  // The edits' characters joined in order; an empty edit adds nothing.
  QString CameraIdText() const;

  // "Save": unlocks the camera and writes the joined text; false when
  // nothing was written.
  bool OnSave();

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  void UpdateSaveButton();

  UiContext context_;
  // The edits hold the camera's ID or the operator's own characters.
  bool cameraIdKnown_ = false;
};

}  // namespace cct
