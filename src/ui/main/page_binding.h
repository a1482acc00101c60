#pragma once

#include <cstdint>

#include "ui/kit/control_events.h"
#include "ui/main/ui_context.h"

class QWidget;

namespace cct {

class CCtrlToolDlg;

// Ties the controls of the parameter pages to the parameter table and
// through it to the camera: reads every readable parameter into table and
// controls, sends a parameter as soon as the operator changes its control,
// puts the control back when the camera refuses, keeps dependent controls
// enabled or shown, and serves the small read-out buttons of the pages.
//
// It keeps no values of its own: they live in the parameter table and in
// the controls. Values it puts into controls never come back to it as
// the operator's change.
class PageBinding : public ControlDispatcher {
 public:
  PageBinding(CCtrlToolDlg& window, const UiContext& context);
  PageBinding(const PageBinding&) = delete;
  PageBinding& operator=(const PageBinding&) = delete;

  // One operator action on a control of the window or its pages.
  void Dispatch(ControlEvent& event) override;

  // Spin ranges from the table, item values of the lists that carry them.
  void SetUpControls();

  // The control's value by its class; -1 when the control does not exist or
  // carries no value.
  int32_t ReadControlValue(int ctrlId) const;
  // False when the control does not exist or carries no value.
  bool PutControlValue(int ctrlId, int32_t value);
  // Every current value of the table into its control, table order.
  void PutAllValues();
  // The current value into the control of every row whose current value
  // differs from its previous value.
  void RefreshChangedControls();
  // Sends every row whose current value differs from its previous one, table
  // order; stops and returns false at the first failure.
  bool SendChangedValues();
  // Asks the camera for one control's value into table and control.
  void ReReadOneValue(int ctrlId);

  // Reads every readable parameter of the control mode from the camera.
  void FullRead();
  // True when the last full read got every value it asked for, in factory
  // mode when the factory rows count now, and the line has not been opened
  // again since: the table then holds the camera's settings, not defaults.
  bool HasCameraSettings() const;
  // All enabling rules in their order.
  void ApplyEnablingRules();
  // The line period and frequency from the current "Line Rate".
  void UpdateLineRateLabels();

 private:
  // Change handlers (page_binding.cpp).
  void OnComboChange(int ctrlId);
  void OnEditCommit(QWidget* edit);
  void OnSpinStep(ControlEvent& event);
  void OnCheckOrRadio(int ctrlId);
  // The generic tail of a list change: store, send, confirm or revert.
  void StoreAndSendList(int ctrlId);
  // The enabling rule that follows the list, if it has one.
  void ApplyRuleOfList(int ctrlId);
  void ChangeExposureMode();
  void ChangeSensorSelect();
  // Restores the previous value of a row into table and control.
  void Revert(int ctrlId);

  // Push buttons (page_buttons.cpp).
  void OnPushButton(int ctrlId);
  void OnePush();
  void ReadLineRateMinLimit();
  void ReadExposureLimits();
  void GetTemperature();
  void ReadLutEntry();
  void WriteLutEntry();

  // Camera baud rate (camera_baud_change.cpp).
  void ChangeCameraBaudRate();

  // Enabling rules 1 to 5 (enabling_rules.cpp).
  void LutSelectorRule();
  void CorrectionModeRule();
  void ExposureAndGainRule();
  void TriggerOriginRule();
  void ExposureModeRule();
  void AutoLineRateRule();

  // Full read (full_read.cpp).
  void SelectCameraModel();
  // False unless the camera's model is known and every query was answered.
  bool ReadLoop();

  void SetEnabled(int ctrlId, bool enabled);
  void SetShown(int ctrlId, bool shown);
  // Position of the selected item of a list; -1 without list or selection.
  int ListPosition(int ctrlId) const;
  void SetText(int ctrlId, const char* format, int32_t value);

  CCtrlToolDlg& window_;
  UiContext context_;
  // True while one operator action is being handled: a box the exchange
  // shows takes the focus from the edit box being committed, and that focus
  // loss is no new action.
  bool handling_ = false;
  // The line's open count when a full read last got every value; -1 when
  // the last one did not.
  int64_t settingsReadAtOpen_ = -1;
  int settingsReadInMode_ = 0;  // the control mode of the last full read
};

}  // namespace cct
