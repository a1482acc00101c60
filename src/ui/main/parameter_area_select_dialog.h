#pragma once

#include "ui/main/status_dialog.h"

namespace cct {

class ControlModeHolder;

// "Parameter Flash Area Select": the operator picks the flash area to store
// the camera's settings into or to load them from. Modal, owned by the main
// window; the factory area is offered for storing in factory mode only.
class CParameterAreaSelectDialog : public CStatusDialog {
  Q_OBJECT

 public:
  enum Mode { kStore = 0, kLoad = 1 };

  CParameterAreaSelectDialog(int mode, UiHost& ui, const ControlModeHolder& controlMode);
  ~CParameterAreaSelectDialog() override;

  // The area of the chosen item (0 factory, 1..3 user areas), -1 when its
  // text names none; set by OK.
  int SelectedArea() const { return selectedArea_; }

  // OK: the selected item's text gives the area, then the dialog ends.
  void OnOK() override;

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  int mode_;
  const ControlModeHolder& controlMode_;
  int selectedArea_ = -1;
};

}  // namespace cct
