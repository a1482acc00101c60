#include "ui/service/communication_dialog.h"

#include <QComboBox>
#include <QLabel>

#include "res/templates/resource_ids.h"
#include "ui/kit/picture_control.h"
#include "ui/kit/quiet_setters.h"

namespace cct {

CCommunicationDialog::CCommunicationDialog(const UiContext& context)
    : CStatusDialog(kIddCommunication, kIdcCommunicationStatus, context.ui), context_(context) {}

CCommunicationDialog::~CCommunicationDialog() = default;

bool CCommunicationDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  ApplyControlModeRules();
  return true;
}

void CCommunicationDialog::ApplyControlModeRules() {}

void CCommunicationDialog::SelectBaudRate(int index) {
  if (auto* list = Item<QComboBox>(kIdcCommBaudRate)) SelectQuietly(list, index);
}

void CCommunicationDialog::Update(int online) {
  if (auto* icon = Item<PictureControl>(kIdcCommLineIcon)) {
    icon->SetBitmap(online ? kIdbOnline : kIdbOffline);
  }
  if (auto* text = Item<QLabel>(kIdcCommLineText)) {
    text->setText(online ? QStringLiteral("Online") : QStringLiteral("Offline"));
  }
}

}  // namespace cct
