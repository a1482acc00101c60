#pragma once

#include "ui/kit/template_dialog.h"
#include "ui/main/online_status.h"

namespace cct {

class UiHost;

// A template window with a status strip along its bottom edge. When its
// window is initialised it registers the strip with the online-status
// indicator (which shows the current picture at once) and itself with the
// dialog registry; it leaves both when it is destroyed.
class CStatusDialog : public TemplateDialog, public COnlineStatusUpdater {
  Q_OBJECT

 public:
  CStatusDialog(int templateId, int stripId, UiHost& ui);
  ~CStatusDialog() override;

 protected:
  // Derived windows call this first from their own initialisation.
  bool OnInitDialog() override;

  UiHost& Ui() const { return ui_; }

 private:
  UiHost& ui_;
  int stripId_;
};

}  // namespace cct
