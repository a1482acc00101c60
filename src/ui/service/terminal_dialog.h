#pragma once

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// The "RS-232C TERMINAL" window: a raw terminal on the camera line with the
// time-stamped list of all traffic. Modeless, owned by the main window,
// created hidden when the main window starts; closing only hides it.
class CTerminalDialog : public CStatusDialog {
  Q_OBJECT

 public:
  explicit CTerminalDialog(const UiContext& context);
  ~CTerminalDialog() override;

 private:
  UiContext context_;
};

}  // namespace cct
