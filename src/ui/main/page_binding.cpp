#include "ui/main/page_binding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "res/combo_items.h"
#include "res/templates/page_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/quiet_setters.h"
#include "ui/kit/up_down_control.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding_limits.h"

namespace cct {

namespace {

// Item data role that carries a list item's assigned value.
constexpr int kItemValueRole = Qt::UserRole;

bool IsLutEntryEdit(int ctrlId) {
  return ctrlId == kIdcLutIndex || ctrlId == kIdcLutData;
}

// The spin control beside an edit box, through the id in its user-data slot.
UpDownControl* SpinOf(const CCtrlToolDlg& window, const QWidget* edit) {
  const qintptr spinId = UserData(edit);
  if (spinId == 0) return nullptr;
  return qobject_cast<UpDownControl*>(window.FindControl(static_cast<int>(spinId)));
}

int32_t ListValue(const QComboBox& combo) {
  const int position = combo.currentIndex();
  if (position < 0) return -1;
  const int32_t assigned = combo.itemData(position, kItemValueRole).toInt();
  return assigned != 0 ? assigned : position;
}

void SelectListValue(QComboBox& combo, int32_t value) {
  int position = -1;
  for (int i = 0; i < combo.count(); ++i) {
    const QVariant assigned = combo.itemData(i, kItemValueRole);
    if (assigned.isValid() && assigned.toInt() == value) {
      position = i;
      break;
    }
  }
  if (position < 0 && value >= 0 && value < combo.count()) position = value;
  SelectQuietly(&combo, position);
}

int RadioPosition(const QRadioButton& radio) {
  const QButtonGroup* group = radio.group();
  if (!group) return radio.isChecked() ? 0 : -1;
  const QList<QAbstractButton*> buttons = group->buttons();
  for (int i = 0; i < buttons.size(); ++i) {
    if (buttons[i]->isChecked()) return i;
  }
  return -1;
}

void SelectRadio(QRadioButton& radio, int32_t position) {
  QButtonGroup* group = radio.group();
  if (!group) {
    CheckQuietly(&radio, position == 0);
    return;
  }
  const bool exclusive = group->exclusive();
  group->setExclusive(false);  // lets every button be cleared
  const QList<QAbstractButton*> buttons = group->buttons();
  for (int i = 0; i < buttons.size(); ++i) CheckQuietly(buttons[i], i == position);
  group->setExclusive(exclusive);
}

}  // namespace

PageBinding::PageBinding(CCtrlToolDlg& window, const UiContext& context)
    : window_(window), context_(context) {}

void PageBinding::SetUpControls() {
  ParameterTable& table = context_.parameters;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (row.ctrlKind != kKindEditSpin) continue;
    QWidget* edit = window_.FindControl(row.ctrlId);
    UpDownControl* spin = edit ? SpinOf(window_, edit) : nullptr;
    int32_t minimum = 0;
    int32_t maximum = 0;
    if (spin && table.GetRange(row.ctrlId, minimum, maximum)) spin->SetRange(minimum, maximum);
  }
  for (const ComboList& list : kComboLists) {
    if (!list.assignsValues) continue;
    auto* combo = qobject_cast<QComboBox*>(window_.FindControl(list.ctrlId));
    if (!combo) continue;
    const int count = std::min(combo->count(), static_cast<int>(list.items.size()));
    for (int i = 0; i < count; ++i) combo->setItemData(i, list.items[i].value, kItemValueRole);
  }
}

int32_t PageBinding::ReadControlValue(int ctrlId) const {
  QWidget* control = window_.FindControl(ctrlId);
  if (!control) return -1;
  switch (ClassOf(control)) {
    case ControlClass::Edit:
      return ReadDecimal(static_cast<QLineEdit*>(control)->text().toStdString());
    case ControlClass::Spin:
      return static_cast<UpDownControl*>(control)->Pos();
    case ControlClass::ComboBox:
      return ListValue(*static_cast<QComboBox*>(control));
    case ControlClass::CheckBox:
      return static_cast<QAbstractButton*>(control)->isChecked() ? 1 : 0;
    case ControlClass::RadioButton:
      return RadioPosition(*static_cast<QRadioButton*>(control));
    case ControlClass::PushButton:
    case ControlClass::None:
      break;
  }
  return -1;
}

bool PageBinding::PutControlValue(int ctrlId, int32_t value) {
  QWidget* control = window_.FindControl(ctrlId);
  if (!control) return false;
  const QString text = QString::number(value);
  switch (ClassOf(control)) {
    case ControlClass::Edit:
      // The spin beside it follows, so that its next step starts here.
      if (UpDownControl* spin = SpinOf(window_, control)) spin->SetPos(value);
      SetTextQuietly(control, text);
      return true;
    case ControlClass::Spin: {
      auto* spin = static_cast<UpDownControl*>(control);
      spin->SetPos(value);
      if (spin->Buddy()) SetTextQuietly(spin->Buddy(), text);
      return true;
    }
    case ControlClass::ComboBox:
      SelectListValue(*static_cast<QComboBox*>(control), value);
      return true;
    case ControlClass::CheckBox:
      CheckQuietly(static_cast<QAbstractButton*>(control), value != 0);
      return true;
    case ControlClass::RadioButton:
      SelectRadio(*static_cast<QRadioButton*>(control), value);
      return true;
    case ControlClass::PushButton:
    case ControlClass::None:
      break;
  }
  return false;
}

void PageBinding::PutAllValues() {
  ParameterTable& table = context_.parameters;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    if (!table.IsValueParam(i)) continue;
    PutControlValue(table.Row(i).ctrlId, table.Row(i).current);
  }
}

void PageBinding::RefreshChangedControls() {
  ParameterTable& table = context_.parameters;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (table.IsValueParam(i) && row.current != row.previous) {
      PutControlValue(row.ctrlId, row.current);
    }
  }
}

bool PageBinding::SendChangedValues() {
  ParameterTable& table = context_.parameters;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (!table.IsValueParam(i) || row.current == row.previous) continue;
    if (!context_.command.SendValue(row.cmdId, row.current, limits::kWriteMs)) return false;
  }
  return true;
}

void PageBinding::ReReadOneValue(int ctrlId) {
  const int cmdId = context_.parameters.ToCmdId(ctrlId);
  if (cmdId < 0) return;
  int32_t value = 0;
  if (!context_.command.QueryValue(cmdId, value, limits::kQueryMs)) return;
  context_.parameters.SetDataValue(ctrlId, value);
  PutControlValue(ctrlId, value);
}

void PageBinding::Dispatch(ControlEvent& event) {
  QWidget* control = event.control;
  if (!control || handling_) return;  // a menu item is the window's own
  QScopedValueRollback<bool> handling(handling_, true);
  const ControlClass kind = ClassOf(control);
  switch (event.code) {
    case ControlEventCode::Clicked:
      if (kind == ControlClass::PushButton) {
        OnPushButton(event.ctrlId);
      } else if (kind == ControlClass::CheckBox || kind == ControlClass::RadioButton) {
        OnCheckOrRadio(event.ctrlId);
      }
      break;
    case ControlEventCode::KillFocus:
    case ControlEventCode::Return:
      if (kind == ControlClass::Edit) OnEditCommit(control);
      break;
    case ControlEventCode::SelChange:
      if (kind == ControlClass::ComboBox) OnComboChange(event.ctrlId);
      break;
    case ControlEventCode::DeltaPos:
      if (kind == ControlClass::Spin && event.deltaPos) OnSpinStep(event);
      break;
  }
}

void PageBinding::OnCheckOrRadio(int ctrlId) {
  context_.parameters.SetDataValue(ctrlId, ReadControlValue(ctrlId));
  SendChangedValues();
  context_.parameters.SnapshotValues();
}

void PageBinding::OnComboChange(int ctrlId) {
  switch (ctrlId) {
    case kIdcCameraModel:
      return;  // written with "Set" only
    case kIdcExposureMode:
      ChangeExposureMode();
      return;
    case kIdcCameraBaudRate:
      ChangeCameraBaudRate();
      return;
    case kIdcSensorSelect:
      ChangeSensorSelect();
      return;
    default:
      break;
  }
  ApplyRuleOfList(ctrlId);
  StoreAndSendList(ctrlId);
}

void PageBinding::ApplyRuleOfList(int ctrlId) {
  switch (ctrlId) {
    case kIdcTriggerOrigin:
      TriggerOriginRule();
      break;
    case kIdcLutSelector:
      LutSelectorRule();
      break;
    case kIdcShadingMode:
    case kIdcPixelGainMode:
    case kIdcPixelBlackMode:
      CorrectionModeRule();
      break;
    default:
      break;
  }
}

void PageBinding::StoreAndSendList(int ctrlId) {
  ParameterTable& table = context_.parameters;
  table.SetDataValue(ctrlId, ReadControlValue(ctrlId));
  RefreshChangedControls();
  if (SendChangedValues()) {
    table.SnapshotValues();
    return;
  }
  Revert(ctrlId);
  // The controls that follow the list follow it back.
  ApplyRuleOfList(ctrlId);
}

void PageBinding::ChangeExposureMode() {
  // The camera may take a while to confirm a new exposure mode; the new mode
  // is kept whatever the send gives.
  ExposureModeRule();
  ParameterTable& table = context_.parameters;
  table.SetDataValue(kIdcExposureMode, ReadControlValue(kIdcExposureMode));
  RefreshChangedControls();
  SendChangedValues();
  table.SnapshotValues();
}

void PageBinding::ChangeSensorSelect() {
  ParameterTable& table = context_.parameters;
  const int32_t value = ReadControlValue(kIdcSensorSelect);
  table.SetDataValue(kIdcSensorSelect, value);
  RefreshChangedControls();
  if (context_.command.SendValue(kCmdSS, value, limits::kSensorSelectMs)) {
    table.SnapshotValues();
  } else {
    Revert(kIdcSensorSelect);
  }
}

void PageBinding::Revert(int ctrlId) {
  const int32_t previous = context_.parameters.GetPrevDataValue(ctrlId);
  context_.parameters.SetDataValue(ctrlId, previous);
  PutControlValue(ctrlId, previous);
}

void PageBinding::OnEditCommit(QWidget* edit) {
  UpDownControl* spin = SpinOf(window_, edit);
  if (!spin) return;
  spin->TakeUpBuddyText();
  const int32_t value = spin->Pos();
  SetTextQuietly(edit, QString::number(value));

  const int ctrlId = ControlId(edit);
  if (IsLutEntryEdit(ctrlId)) return;  // sent by the LUT entry buttons only
  ParameterTable& table = context_.parameters;
  table.SetDataValue(ctrlId, value);
  if (SendChangedValues()) {
    table.SnapshotValues();
  } else {
    Revert(ctrlId);
  }
  if (ctrlId == kIdcLineRate) UpdateLineRateLabels();
}

void PageBinding::OnSpinStep(ControlEvent& event) {
  auto* spin = static_cast<UpDownControl*>(event.control);
  UpDownControl::DeltaPos& change = *event.deltaPos;
  const int64_t wanted = static_cast<int64_t>(change.pos) + change.delta;
  const int32_t low = std::min(spin->Lower(), spin->Upper());
  const int32_t high = std::max(spin->Lower(), spin->Upper());
  const auto next = static_cast<int32_t>(std::clamp<int64_t>(wanted, low, high));

  QWidget* edit = spin->Buddy();
  const int editId = edit ? ControlId(edit) : -1;
  if (editId == -1 || IsLutEntryEdit(editId)) return;

  ParameterTable& table = context_.parameters;
  table.SetDataValue(editId, next);
  if (SendChangedValues()) {
    table.SnapshotValues();
  } else {
    const int32_t previous = table.GetPrevDataValue(editId);
    table.SetDataValue(editId, previous);
    PutControlValue(editId, previous);
    spin->SetPos(previous);
    change.pos = previous;
    change.delta = 0;
    event.keepPosition = true;
  }
  if (editId == kIdcLineRate) UpdateLineRateLabels();
}

void PageBinding::SetEnabled(int ctrlId, bool enabled) {
  if (QWidget* control = window_.FindControl(ctrlId)) control->setEnabled(enabled);
}

void PageBinding::SetShown(int ctrlId, bool shown) {
  if (QWidget* control = window_.FindControl(ctrlId)) control->setVisible(shown);
}

int PageBinding::ListPosition(int ctrlId) const {
  auto* combo = qobject_cast<QComboBox*>(window_.FindControl(ctrlId));
  return combo ? combo->currentIndex() : -1;
}

void PageBinding::SetText(int ctrlId, const char* format, int32_t value) {
  if (QWidget* control = window_.FindControl(ctrlId)) {
    SetTextQuietly(control, QString::asprintf(format, value));
  }
}

}  // namespace cct
