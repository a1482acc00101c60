// Reading every readable parameter of the control mode from the camera into
// the table and the pages.
#include <QComboBox>

#include <algorithm>
#include <array>

#include "app/control_mode.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "protocol/shutdown_request.h"
#include "res/templates/page_ids.h"
#include "serial/camera_model.h"
#include "serial/serial_channel.h"
#include "ui/kit/event_pump.h"
#include "ui/kit/quiet_setters.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding.h"
#include "ui/main/page_binding_limits.h"
#include "ui/main/ui_host.h"

namespace cct {

namespace {

constexpr char kReadingMessage[] = "Now, reading camera settings.";

// The controls whose rows the full read asks the camera for. The automatic
// exposure and gain rows, the LUT entry rows and the push buttons are not
// read.
constexpr std::array<int, 39> kReadList = {
    1041, 1092, 1093, 1096, 1098, 1099, 1100, 1101, 1116, 1117, 1119, 1120, 1122,
    1123, 1124, 1128, 1139, 1174, 1177, 1184, 1186, 1187, 1189, 1192, 1194, 1195,
    1199, 1201, 1203, 1205, 1207, 1209, 1211, 1213, 1214, 1217, 1223, 1225, 1227};

bool InReadList(int ctrlId) {
  return std::find(kReadList.begin(), kReadList.end(), ctrlId) != kReadList.end();
}

}  // namespace

void PageBinding::FullRead() {
  // No window takes the operator's input until the read has ended.
  DisabledDialogs disabled(context_.ui.GetRegistry());
  ProbeCamera(context_.command, context_.ui, context_.cameraModel);
  SelectCameraModel();
  // The table holds the camera's settings only when every value came.
  settingsReadAtOpen_ = -1;
  settingsReadInMode_ = context_.controlMode.GetControlMode();
  if (ReadLoop()) settingsReadAtOpen_ = context_.serial.OpenCount();

  ParameterTable& table = context_.parameters;
  PutAllValues();
  table.SnapshotValues();
  SendChangedValues();
  table.SnapshotValues();
  PutAllValues();
  ApplyEnablingRules();
  UpdateLineRateLabels();
}

void PageBinding::SelectCameraModel() {
  const int model = context_.cameraModel.modelIndex;
  if (auto* list = qobject_cast<QComboBox*>(window_.FindControl(kIdcCameraModel))) {
    SelectQuietly(list, IsKnownModel(model) ? model : -1);
  }
  for (int id : {kIdcBinningVLabel, kIdcBinningV, kIdcBinningHLabel, kIdcBinningH,
                 kIdcBinningModeLabel, kIdcBinningMode}) {
    SetShown(id, true);
  }
}

bool PageBinding::HasCameraSettings() const {
  // A read in user mode leaves the factory rows at their defaults.
  const bool factoryRowsRead =
      settingsReadInMode_ == kFactoryMode || context_.controlMode.GetControlMode() != kFactoryMode;
  return factoryRowsRead &&
         settingsReadAtOpen_ == static_cast<int64_t>(context_.serial.OpenCount());
}

bool PageBinding::ReadLoop() {
  ParameterTable& table = context_.parameters;
  const bool factory = context_.controlMode.GetControlMode() == kFactoryMode;
  const int total = factory ? table.CountValueParams() : table.CountUserParams();
  const bool knownModel = IsKnownModel(context_.cameraModel.modelIndex);

  CProgressBarDialog& progress = context_.ui.GetProgressBar();
  progress.Open(&window_, QString::fromLatin1(kReadingMessage));
  int done = 0;
  bool allAnswered = knownModel;
  for (int i = 0; i < ParameterTable::RowCount() && !ShutdownRequested(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (!knownModel || !InReadList(row.ctrlId)) continue;
    if (row.area == kAreaFactory && !factory) continue;
    if (row.ctrlKind == kKindPushButton) continue;
    int32_t answer = 0;
    if (context_.command.QueryValue(row.cmdId, answer, limits::kQueryMs)) {
      table.SetDataValue(row.ctrlId, answer);
    } else {
      allAnswered = false;
    }
    done += 100;
    progress.SetPos(total > 0 ? done / total : 0);
    PumpPendingEvents();
  }
  progress.Close();
  if (!window_.isActiveWindow()) {
    window_.raise();
    window_.activateWindow();
  }
  return allAnswered;
}

}  // namespace cct
