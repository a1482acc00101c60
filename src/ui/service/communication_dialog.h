#pragma once

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// The "Communication" window: line status, line choice, setting files,
// flash areas and the message list. Modeless, owned by the main window,
// created and shown when the main window starts; closing only hides it.
class CCommunicationDialog : public CStatusDialog {
  Q_OBJECT

 public:
  explicit CCommunicationDialog(const UiContext& context);
  ~CCommunicationDialog() override;

  // The rules that depend on the control mode; run at window start and
  // whenever the main window switches the mode.
  void ApplyControlModeRules();

  // Shows the baud rate index (0 = 9600 ... 4 = 115200 bit/s) in the Baud
  // Rate list, nothing else: the line has been set already.
  void SelectBaudRate(int index);

  // The "Line Status" group follows the indicator.
  void Update(int online) override;

 protected:
  bool OnInitDialog() override;

 private:
  UiContext context_;
};

}  // namespace cct
