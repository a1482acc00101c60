#include "ui/service/communication_dialog.h"

#include <QComboBox>
#include <QLabel>

#include "app/control_mode.h"
#include "res/templates/resource_ids.h"
#include "serial/serial_channel.h"
#include "ui/kit/log_list_view.h"
#include "ui/kit/picture_control.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/flash_areas.h"
#include "ui/main/ui_host.h"

namespace cct {

CCommunicationDialog::CCommunicationDialog(const UiContext& context)
    : CStatusDialog(kIddCommunication, kIdcCommunicationStatus, context.ui),
      context_(context),
      selection_(context.serial, context.command, context.ui, context.cameraModel,
                 context.preferences) {
  // After a run that did not end normally the tool starts on the COM port:
  // a Camera Link library that brought the last run down is not loaded again.
  selection_.StartUpGuard();

  LineSelectionHooks hooks;
  hooks.fullRead = [this] { FullRead(); };
  hooks.selectBaudIndex = [this](int index) { SelectBaudRate(index); };
  hooks.selectPortIndex = [this](int index) { SelectPortIndex(index); };
  hooks.setCurrentArea = [this](int area) {
    if (mainWindow_) mainWindow_->SetCurrentArea(area);
  };
  hooks.refillPortList = [this] { FillPortList(); };
  selection_.SetHooks(std::move(hooks));

  // The list keeps every line from the start, also while its window is hidden.
  context_.ui.SetMessageSink(
      [this](const std::string& line) { AddMessage(QString::fromLatin1(line)); });
}

CCommunicationDialog::~CCommunicationDialog() {
  context_.ui.SetMessageSink({});
}

void CCommunicationDialog::SetMainWindow(CCtrlToolDlg* window) {
  mainWindow_ = window;
}

void CCommunicationDialog::FullRead() {
  if (mainWindow_) mainWindow_->FullRead();
}

bool CCommunicationDialog::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  if (auto* list = Item<LogListView>(kIdcCommMessages)) list->SetModel(&messages_);
  if (auto* category = Item<QComboBox>(kIdcCommCategory)) {
    SelectQuietly(category, context_.serial.GetMode());
  }
  FillPortList();
  SelectBaudRate(context_.serial.GetBaudRateIndex());
  // "User 1 Data" first, so the Store rule finds a user area selected.
  if (auto* areas = Item<QComboBox>(kIdcCommAreaList)) SelectQuietly(areas, 1);
  ApplyControlModeRules();
  return true;
}

void CCommunicationDialog::OnControlEvent(ControlEvent& event) {
  const bool clicked = event.code == ControlEventCode::Clicked;
  const bool changed = event.code == ControlEventCode::SelChange;
  switch (event.ctrlId) {
    case kIdcCommCategory:
      if (changed) OnCategoryChange();
      break;
    case kIdcCommPortName:
      if (changed) OnPortChange();
      break;
    case kIdcCommBaudRate:
      if (changed) OnBaudRateChange();
      break;
    case kIdcCommAreaList:
      if (changed) ApplyStoreRule();
      break;
    case kIdcCommAuto:
      if (clicked) OnAuto();
      break;
    case kIdcCommWriteFile:
      if (clicked && mainWindow_) mainWindow_->SaveAllData();
      break;
    case kIdcCommReadFile:
      if (clicked && mainWindow_) mainWindow_->OpenCameraFile();
      break;
    case kIdcCommGetArea:
      if (clicked) OnGetArea();
      break;
    case kIdcCommStore:
      if (clicked) OnStore();
      break;
    case kIdcCommLoad:
      if (clicked) OnLoad();
      break;
    case kIdcCommSaveMessages:
      if (clicked) SaveMessages();
      break;
    case kIdcCommClearMessages:
      if (clicked) messages_.Clear();
      break;
    default:
      break;
  }
}

void CCommunicationDialog::ApplyControlModeRules() {
  const bool factory = context_.controlMode.GetControlMode() != kUserMode;
  for (int id : {kIdcCommBaudLabel, kIdcCommBaudRate}) {
    if (QWidget* control = GetDlgItem(id)) {
      control->setVisible(factory);
      control->setEnabled(factory);
    }
  }
  ApplyStoreRule();
}

void CCommunicationDialog::ApplyStoreRule() {
  QWidget* store = GetDlgItem(kIdcCommStore);
  if (!store) return;
  // Overwriting the factory area is for factory mode only.
  const int area = SelectedArea();
  const bool factory = context_.controlMode.GetControlMode() != kUserMode;
  store->setEnabled(area != 0 || factory);
}

int CCommunicationDialog::SelectedArea() const {
  const auto* areas = Item<QComboBox>(kIdcCommAreaList);
  return areas ? AreaOfDataName(areas->currentText()) : -1;
}

void CCommunicationDialog::SelectBaudRate(int index) {
  if (auto* list = Item<QComboBox>(kIdcCommBaudRate)) SelectQuietly(list, index);
}

void CCommunicationDialog::SelectPortIndex(int index) {
  if (auto* list = Item<QComboBox>(kIdcCommPortName)) SelectQuietly(list, index);
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
