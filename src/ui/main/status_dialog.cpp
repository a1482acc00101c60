#include "ui/main/status_dialog.h"

#include "ui/main/ui_host.h"

namespace cct {

CStatusDialog::CStatusDialog(int templateId, int stripId, UiHost& ui)
    : TemplateDialog(templateId), ui_(ui), stripId_(stripId) {}

CStatusDialog::~CStatusDialog() {
  ui_.GetIndicator().Unregister(*this);
  ui_.GetRegistry().Unregister(this);
}

bool CStatusDialog::OnInitDialog() {
  SetStatusStrip(Item<PictureControl>(stripId_));
  ui_.GetIndicator().Register(*this);
  ui_.GetRegistry().Register(this);
  return true;
}

}  // namespace cct
