#pragma once

#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

// The LUT editor of one colour table (0 red, 1 green, 2 blue). Modeless,
// owned by the main window, created hidden when the main window starts.
class CLUTDlg : public CStatusDialog {
  Q_OBJECT

 public:
  CLUTDlg(const UiContext& context, int colourIndex);
  ~CLUTDlg() override;

  int ColourIndex() const { return colourIndex_; }

 protected:
  bool OnInitDialog() override;

 private:
  UiContext context_;
  int colourIndex_;
};

}  // namespace cct
