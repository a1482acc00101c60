#include "ui/service/camera_id_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/control_mode.h"
#include "protocol/command.h"
#include "res/templates/resource_ids.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/ui_host.h"
#include "ui/service/identity_text.h"

namespace cct {

namespace {

constexpr uint32_t kCameraIdMs = 5000;
constexpr int32_t kUnlockCode = 5170392;

constexpr int kCharIds[kCameraIdLength] = {
    kIdcCameraId1, kIdcCameraId2, kIdcCameraId3, kIdcCameraId4, kIdcCameraId5,
    kIdcCameraId6, kIdcCameraId7, kIdcCameraId8, kIdcCameraId9, kIdcCameraId10,
};

}  // namespace

CCameraIdDialog::CCameraIdDialog(const UiContext& context)
    : CStatusDialog(kIddCameraId, kIdcCameraIdStatus, context.ui), context_(context) {}

CCameraIdDialog::~CCameraIdDialog() = default;

bool CCameraIdDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  auto* save = Item<QPushButton>(kIdcCameraIdSave);
  if (!save) return false;
  for (int id : kCharIds) {
    auto* edit = Item<QLineEdit>(id);
    if (!edit) return false;
    edit->setMaxLength(1);
    edit->setValidator(NewIdentityValidator(edit));
    connect(edit, &QLineEdit::textEdited, this, [this] {
      cameraIdKnown_ = true;
      UpdateSaveButton();
    });
  }

  std::string answer;
  cameraIdKnown_ = context_.command.QueryText(kCmdID, answer, kCameraIdMs);
  const QString text = cameraIdKnown_ ? FromCameraText(answer) : QString();
  for (int i = 0; i < kCameraIdLength; ++i) {
    SetTextQuietly(Item<QLineEdit>(kCharIds[i]), i < text.size() ? QString(text[i]) : QString());
  }
  save->setVisible(context_.controlMode.GetControlMode() == kFactoryMode);
  UpdateSaveButton();
  return true;
}

void CCameraIdDialog::UpdateSaveButton() {
  if (auto* save = Item<QPushButton>(kIdcCameraIdSave)) save->setEnabled(cameraIdKnown_);
}

QString CCameraIdDialog::CameraIdText() const {
  QString text;
  for (int id : kCharIds) {
    if (const auto* edit = Item<QLineEdit>(id)) text += edit->text().left(1);
  }
  return text;
}

bool CCameraIdDialog::OnSave() {
  if (!cameraIdKnown_ || context_.controlMode.GetControlMode() != kFactoryMode) return false;
  Prompter& prompter = context_.ui.GetPrompter();
  const QString caption = QString::fromLatin1(kAppCaption);
  const QString text = CameraIdText();
  // An empty ID would leave the camera without one; it is not even unlocked.
  if (text.isEmpty()) {
    prompter.MessageBox(this, QStringLiteral("Couldn't save the camera id."), caption,
                        MsgIcon::Error);
    return false;
  }
  if (!context_.command.SendValue(kCmdULCK, kUnlockCode, kCameraIdMs)) {
    prompter.MessageBox(this, QStringLiteral("Couldn't save camera id."), caption, MsgIcon::Error);
    return false;
  }
  if (!context_.command.SendText(kCmdID00, ToCameraText(text), kCameraIdMs)) {
    prompter.MessageBox(this, QStringLiteral("Couldn't save the camera id."), caption,
                        MsgIcon::Error);
    return false;
  }
  prompter.MessageBox(this, QStringLiteral("Completed saving camera id: %1.").arg(text), caption,
                      MsgIcon::Information);
  return true;
}

void CCameraIdDialog::OnControlEvent(ControlEvent& event) {
  if (event.code == ControlEventCode::Clicked && event.ctrlId == kIdcCameraIdSave) OnSave();
}

}  // namespace cct
