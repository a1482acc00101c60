// The Communication dialog's flash areas: which area the camera runs from,
// and storing into or loading from the selected area.
#include <QLabel>

#include "protocol/command.h"
#include "protocol/command_table.h"
#include "protocol/flash_area.h"
#include "res/templates/resource_ids.h"
#include "ui/main/flash_areas.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"

namespace cct {

namespace {

constexpr uint32_t kAreaQueryMs = 5000;

}  // namespace

void CCommunicationDialog::OnGetArea() {
  // Without an answer the area stays none, which reads "Unkown".
  int32_t area = -1;
  context_.command.QueryValue(kCmdEA, area, kAreaQueryMs);
  if (auto* text = Item<QLabel>(kIdcCommAreaText)) text->setText(AreaDataName(area));
}

void CCommunicationDialog::OnStore() {
  const int area = SelectedArea();
  if (!IsFlashArea(area)) {
    ShowInvalidArea(context_.ui.GetPrompter(), this);
    return;
  }
  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  progress.Open(this, QStringLiteral("Now, Storing camera data."));
  // A failed store has been reported by the exchange itself.
  if (StoreFlashArea(context_.command, area, kFlashStoreLimitMs)) {
    context_.ui.GetPrompter().MessageBox(this,
                                         QStringLiteral("Completed to store current setting data!"),
                                         QString::fromLatin1(kAppCaption), MsgIcon::Information);
  }
  progress.Close();
}

void CCommunicationDialog::OnLoad() {
  const int area = SelectedArea();
  if (!IsFlashArea(area)) {
    ShowInvalidArea(context_.ui.GetPrompter(), this);
    return;
  }
  if (LoadFlashArea(context_.command, area, kFlashLoadLimitMs)) FullRead();
}

}  // namespace cct
