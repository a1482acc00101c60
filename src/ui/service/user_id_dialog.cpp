#include "ui/service/user_id_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "protocol/command.h"
#include "res/templates/resource_ids.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/ui_host.h"
#include "ui/service/identity_text.h"

namespace cct {

namespace {

constexpr uint32_t kUserIdMs = 5000;

}  // namespace

bool WriteUserId(const UiContext& context, QWidget* owner, const QString& text) {
  Prompter& prompter = context.ui.GetPrompter();
  const QString caption = QString::fromLatin1(kAppCaption);
  if (text.size() > kUserIdMaxLength) {
    prompter.MessageBox(owner, QStringLiteral("User ID string is too long !!"), caption,
                        MsgIcon::Error);
    return false;
  }
  if (!context.command.SendText(kCmdUD, ToCameraText(text), kUserIdMs)) {
    prompter.MessageBox(owner, QStringLiteral("Couldn't write the User ID."), caption,
                        MsgIcon::Error);
    return false;
  }
  prompter.MessageBox(owner,
                      QStringLiteral("Writing the User ID \"%1\" has been completed.").arg(text),
                      caption, MsgIcon::Information);
  return true;
}

CUserIdDialog::CUserIdDialog(const UiContext& context)
    : CStatusDialog(kIddUserId, kIdcUserIdStatus, context.ui), context_(context) {}

CUserIdDialog::~CUserIdDialog() = default;

bool CUserIdDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  auto* edit = Item<QLineEdit>(kIdcUserIdEdit);
  if (!edit || !Item<QPushButton>(kIdcUserIdSave)) return false;
  edit->setValidator(NewIdentityValidator(edit));
  connect(edit, &QLineEdit::textEdited, this, [this] {
    userIdKnown_ = true;
    UpdateSaveButton();
  });

  std::string answer;
  userIdKnown_ = context_.command.QueryText(kCmdUD, answer, kUserIdMs);
  SetTextQuietly(
      edit, userIdKnown_ ? FromCameraText(answer) : QString(kUserIdMaxLength, QLatin1Char('?')));
  UpdateSaveButton();
  return true;
}

void CUserIdDialog::UpdateSaveButton() {
  if (auto* save = Item<QPushButton>(kIdcUserIdSave)) save->setEnabled(userIdKnown_);
}

bool CUserIdDialog::OnSave() {
  const auto* edit = Item<QLineEdit>(kIdcUserIdEdit);
  if (!edit || !userIdKnown_) return false;
  return WriteUserId(context_, this, edit->text());
}

void CUserIdDialog::OnControlEvent(ControlEvent& event) {
  if (event.code == ControlEventCode::Clicked && event.ctrlId == kIdcUserIdSave) OnSave();
}

}  // namespace cct
