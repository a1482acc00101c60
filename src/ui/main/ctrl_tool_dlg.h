#pragma once

#include <array>
#include <memory>
#include <vector>

#include "ui/kit/control_events.h"
#include "ui/kit/qt_polling_timer.h"
#include "ui/main/factory_key_sequence.h"
#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

class QAction;
class QKeyEvent;
class QMenuBar;

namespace cct {

class CCommunicationDialog;
class CLUTDlg;
class CTabSheetDialog;
class CTerminalDialog;
class KeyPreTranslator;
class PageBinding;
class TabControl;

// The main window: the tabbed parameter pages, the menu bar, the companion
// windows, the start-up sequence, the control-mode switch, the keyboard
// rules of all pages and the question before closing.
class CCtrlToolDlg : public CStatusDialog {
  Q_OBJECT

 public:
  static constexpr int kPageCount = 3;

  // The Communication dialog comes from whoever keeps it until the program
  // ends; without one the window makes its own, which goes with it.
  explicit CCtrlToolDlg(const UiContext& context, CCommunicationDialog* communication = nullptr);
  ~CCtrlToolDlg() override;

  // The control with that id: the pages in page order first, then the main
  // window itself; the first with that id wins. nullptr when none has it.
  QWidget* FindControl(int ctrlId) const;

  // Lists the pages of the control mode as tabs and shows the first.
  void RebuildPages();

  int CurrentArea() const { return currentArea_; }
  void SetCurrentArea(int area) { currentArea_ = area; }

  // Once the camera has been reset the window closes without asking.
  void SetClosingAfterReset() { closingAfterReset_ = 1; }
  bool ClosingAfterReset() const { return closingAfterReset_ == 1; }

  // Every control event of the window and its pages; handed to the page
  // binding once it is set.
  void Dispatch(ControlEvent& event);
  void SetDispatcher(ControlDispatcher* dispatcher) { dispatcher_ = dispatcher; }

  // A menu command by its id.
  void OnCommand(int commandId);
  // User mode to factory mode and back, as the factory key sequence does.
  void SwitchControlMode();

  void ShowTerminal();
  void ShowCommunication();

  // The close request: the "Exit" item, the close box, Escape reaching the
  // window. OK reaching the window does nothing.
  void reject() override;
  void accept() override {}

  // Parts of the window, for the operations of the pages and for tests.
  CTabSheetDialog& Page(int position) const { return *pages_[position]; }
  TabControl* Tabs() const;
  QMenuBar* MenuBar() const { return menuBar_; }
  // The third menu of the bar, "Utility(&U)".
  QAction* UtilityMenu() const;
  CCommunicationDialog& Communication() const { return *communication_; }
  CTerminalDialog& Terminal() const { return *terminal_; }
  CLUTDlg& LutEditor(int colourIndex) const { return *lutEditors_[colourIndex]; }
  const FactoryKeySequence& KeySequence() const { return keySequence_; }
  const UiContext& Context() const { return context_; }

  // Entry points of the operations the other parts of the window bring
  // (ctrl_tool_dlg_entry_points.cpp).
  virtual void SetUpControls();
  virtual void PutAllValues();
  virtual bool SendChangedValues();
  virtual void ConnectAtStartUp();
  virtual void FullRead();
  virtual void OpenCameraFile();
  virtual void SaveAllData();
  virtual void SaveShippingData();
  virtual void LoadSettings();
  virtual void StoreSettings();
  virtual void EditUserId();
  virtual void EditCameraId();
  virtual void OpenLutFile();
  virtual void SaveLutFile();
  virtual bool LoadAllTables();
  virtual void About();
  // The buttons of the pages whose operations come with the calibration,
  // identity and flash-area parts.
  virtual void Recalibrate(int buttonId);
  virtual void WriteModelId();
  virtual void ReadXmlVersion();
  virtual void WriteXmlVersion();
  virtual void ResetCamera();
  virtual void StoreAll();
  // The area selection dialog in store or load mode; false when cancelled.
  virtual bool SelectArea(int mode, int& area);
  // The LUT editors: only the one a monochrome camera uses when the camera's
  // model is known, all three otherwise.
  virtual void ShowLutEditors();
  virtual void HideLutEditors();

  // The binding of the pages' controls to the parameter table.
  PageBinding& Binding() const { return *binding_; }

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override { Dispatch(event); }
  // Enter reaching the window itself does nothing.
  void OnOK() override {}

 private:
  bool PreTranslateKey(QWidget* receiver, QKeyEvent& key);
  void OnTabSelChange();
  void SetUtilityMenu();
  void Reload();
  void LoadAllLutTables();
  void PlaceCompanionWindows();
  // The area selection; the chosen area becomes the current area. True only
  // for a flash area; no area is reported.
  bool ChooseFlashArea(int mode, int& area);

  UiContext context_;
  std::vector<CTabSheetDialog*> pages_;  // children of the tab control once created
  std::unique_ptr<CCommunicationDialog> ownCommunication_;
  CCommunicationDialog* communication_ = nullptr;
  std::unique_ptr<CTerminalDialog> terminal_;
  std::array<std::unique_ptr<CLUTDlg>, 3> lutEditors_;
  std::unique_ptr<PageBinding> binding_;
  QtPollingTimer pollTimer_;
  QMenuBar* menuBar_ = nullptr;
  KeyPreTranslator* keyRules_ = nullptr;
  ControlDispatcher* dispatcher_ = nullptr;
  FactoryKeySequence keySequence_;
  int currentArea_ = 0;
  int closingAfterReset_ = 0;
  bool destroying_ = false;
};

}  // namespace cct
