#include "ui/service/about_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/control_mode.h"
#include "protocol/command.h"
#include "res/templates/resource_ids.h"
#include "serial/camera_model.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/tool_version.h"
#include "ui/main/ui_host.h"
#include "ui/service/user_id_dialog.h"

namespace cct {

namespace {

constexpr uint32_t kQueryMs = 5000;
constexpr uint32_t kDeviceVersionWriteMs = 10000;

constexpr int kVersionPartIds[kDeviceVersionParts] = {kIdcAboutDevVer1, kIdcAboutDevVer2,
                                                      kIdcAboutDevVer3, kIdcAboutDevVer4};

// The edits a camera answer fills, with the text they show until then.
constexpr struct {
  int id;
  const char* placeholder;
} kPlaceholders[] = {
    {kIdcAboutFirmware, "?.??"},
    {kIdcAboutFpga, "?.??"},
    {kIdcAboutCameraId, "??????????"},
    {kIdcAboutModel, "??????????"},
    {kIdcAboutUserId, "????????????????"},
    {kIdcAboutDevVer1, "?"},
    {kIdcAboutDevVer2, "?"},
    {kIdcAboutDevVer3, "?"},
    {kIdcAboutDevVer4, "?"},
};

constexpr int kRequiredIds[] = {
    kIdcAboutName,       kIdcAboutVersion,       kIdcAboutFirmware,   kIdcAboutCameraId,
    kIdcAboutModel,      kIdcAboutUserId,        kIdcAboutViewHelp,   kIdcAboutFpga,
    kIdcAboutSaveUserId, kIdcAboutProtectUserId, kIdcAboutEditUserId, kIdcAboutHelpList,
    kIdcAboutDevVer1,    kIdcAboutDevVer2,       kIdcAboutDevVer3,    kIdcAboutDevVer4,
    kIdcAboutSaveDevVer,
};

bool IsFactoryMode(const ControlModeHolder& mode) {
  return mode.GetControlMode() == kFactoryMode;
}

}  // namespace

CAboutDialog::CAboutDialog(const UiContext& context)
    : CStatusDialog(kIddAbout, kIdcAboutStatus, context.ui), context_(context) {}

CAboutDialog::~CAboutDialog() = default;

bool CAboutDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  for (int id : kRequiredIds) {
    if (!GetDlgItem(id)) return false;
  }
  auto* userId = Item<QLineEdit>(kIdcAboutUserId);
  userId->setValidator(NewIdentityValidator(userId));
  connect(userId, &QLineEdit::textEdited, this, [this] {
    userIdKnown_ = true;
    UpdateSaveButtons();
  });
  for (int i = 0; i < kDeviceVersionParts; ++i) {
    auto* part = Item<QLineEdit>(kVersionPartIds[i]);
    part->setValidator(NewVersionPartValidator(part));
    connect(part, &QLineEdit::textEdited, this, [this, i] {
      versionPartKnown_[i] = true;
      UpdateSaveButtons();
    });
  }

  OnProtectUserId();
  Item<QLabel>(kIdcAboutName)->setText(QString::fromLatin1(kToolName));
  Item<QLabel>(kIdcAboutVersion)->setText(QString::fromLatin1(kToolVersion));
  FillHelpList();
  ShowPlaceholders();
  ReadCameraData();
  ApplyControlMode();
  UpdateSaveButtons();
  return true;
}

void CAboutDialog::FillHelpList() {
  auto* list = Item<QComboBox>(kIdcAboutHelpList);
  list->clear();
  // The folder is kept, so the document opened is the one listed.
  const QDir folder = QDir::current();
  helpFolder_ = folder.absolutePath();
  list->addItems(folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name));
  SelectQuietly(list, list->count() > 0 ? 0 : -1);
}

void CAboutDialog::ShowPlaceholders() {
  for (const auto& field : kPlaceholders) {
    SetTextQuietly(GetDlgItem(field.id), QString::fromLatin1(field.placeholder));
  }
  userIdKnown_ = false;
  versionPartKnown_.fill(false);
}

void CAboutDialog::ReadCameraData() {
  Command& command = context_.command;
  int32_t number = 0;
  // Without a firmware version there is no camera to ask the rest.
  if (!command.QueryValue(kCmdVN, number, kQueryMs)) return;
  SetTextQuietly(GetDlgItem(kIdcAboutFirmware), VersionNumberText(number));
  if (ProbeCamera(command, context_.ui, context_.cameraModel)) {
    SetTextQuietly(GetDlgItem(kIdcAboutModel), FromCameraText(context_.cameraModel.modelText));
  }
  std::string text;
  if (command.QueryText(kCmdID, text, kQueryMs)) {
    SetTextQuietly(GetDlgItem(kIdcAboutCameraId), FromCameraText(text));
  }
  if (command.QueryValue(kCmdPV, number, kQueryMs)) {
    SetTextQuietly(GetDlgItem(kIdcAboutFpga), VersionNumberText(number));
  }
  if (command.QueryText(kCmdUD, text, kQueryMs)) {
    SetTextQuietly(GetDlgItem(kIdcAboutUserId), FromCameraText(text));
    userIdKnown_ = true;
  }
  DeviceVersionParts parts;
  if (command.QueryText(kCmdDV, text, kQueryMs) &&
      SplitDeviceVersion(FromCameraText(text), parts)) {
    for (int i = 0; i < kDeviceVersionParts; ++i) {
      SetTextQuietly(GetDlgItem(kVersionPartIds[i]), parts[i]);
    }
    versionPartKnown_.fill(true);
  }
}

void CAboutDialog::ApplyControlMode() {
  const bool factory = IsFactoryMode(context_.controlMode);
  for (int id : kVersionPartIds) GetDlgItem(id)->setEnabled(factory);
  GetDlgItem(kIdcAboutSaveDevVer)->setVisible(factory);
}

bool CAboutDialog::UserIdEditable() const {
  const auto* enable = Item<QRadioButton>(kIdcAboutEditUserId);
  return enable && enable->isChecked();
}

bool CAboutDialog::DeviceVersionKnown() const {
  for (bool known : versionPartKnown_) {
    if (!known) return false;
  }
  return true;
}

void CAboutDialog::UpdateSaveButtons() {
  if (auto* save = Item<QPushButton>(kIdcAboutSaveUserId)) {
    save->setEnabled(UserIdEditable() && userIdKnown_);
  }
  if (auto* save = Item<QPushButton>(kIdcAboutSaveDevVer)) {
    save->setEnabled(IsFactoryMode(context_.controlMode) && DeviceVersionKnown());
  }
}

void CAboutDialog::OnProtectUserId() {
  GetDlgItem(kIdcAboutUserId)->setEnabled(false);
  CheckQuietly(Item<QRadioButton>(kIdcAboutProtectUserId), true);
  CheckQuietly(Item<QRadioButton>(kIdcAboutEditUserId), false);
  UpdateSaveButtons();
}

void CAboutDialog::OnEnableUserIdEdit() {
  GetDlgItem(kIdcAboutUserId)->setEnabled(true);
  CheckQuietly(Item<QRadioButton>(kIdcAboutProtectUserId), false);
  CheckQuietly(Item<QRadioButton>(kIdcAboutEditUserId), true);
  UpdateSaveButtons();
}

bool CAboutDialog::OnSaveUserId() {
  if (!UserIdEditable() || !userIdKnown_) return false;
  return WriteUserId(context_, this, Item<QLineEdit>(kIdcAboutUserId)->text());
}

QString CAboutDialog::DeviceVersionText() const {
  DeviceVersionParts parts;
  for (int i = 0; i < kDeviceVersionParts; ++i) {
    const auto* part = Item<QLineEdit>(kVersionPartIds[i]);
    parts[i] = part ? part->text() : QString();
  }
  return JoinDeviceVersion(parts);
}

bool CAboutDialog::OnSaveDeviceVersion() {
  if (!IsFactoryMode(context_.controlMode) || !DeviceVersionKnown()) return false;
  Prompter& prompter = context_.ui.GetPrompter();
  const QString caption = QString::fromLatin1(kAppCaption);
  if (!context_.command.SendText(kCmdDV00, ToCameraText(DeviceVersionText()),
                                 kDeviceVersionWriteMs)) {
    prompter.MessageBox(this, QStringLiteral("Couldn't write the Device Version."), caption,
                        MsgIcon::Error);
    return false;
  }
  prompter.MessageBox(this, QStringLiteral("Writing the Device Version has been completed."),
                      caption, MsgIcon::Information);
  return true;
}

bool CAboutDialog::OnViewHelpFile() {
  const auto* list = Item<QComboBox>(kIdcAboutHelpList);
  if (!list || list->currentIndex() < 0) {
    context_.ui.GetPrompter().MessageBox(this, QStringLiteral("No file was selected !!"),
                                         QString::fromLatin1(kAppCaption), MsgIcon::Error);
    return false;
  }
  return context_.ui.GetPrompter().OpenDocument(QDir(helpFolder_).filePath(list->currentText()));
}

void CAboutDialog::OnControlEvent(ControlEvent& event) {
  if (event.code != ControlEventCode::Clicked) return;
  switch (event.ctrlId) {
    case kIdcAboutProtectUserId:
      OnProtectUserId();
      break;
    case kIdcAboutEditUserId:
      OnEnableUserIdEdit();
      break;
    case kIdcAboutSaveUserId:
      OnSaveUserId();
      break;
    case kIdcAboutSaveDevVer:
      OnSaveDeviceVersion();
      break;
    case kIdcAboutViewHelp:
      OnViewHelpFile();
      break;
    default:
      break;
  }
}

}  // namespace cct
