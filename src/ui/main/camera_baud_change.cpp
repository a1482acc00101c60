// The camera's own baud rate: the camera changes its rate, the line follows,
// and the camera confirms at the new rate.
#include <array>

#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "res/templates/page_ids.h"
#include "serial/serial_channel.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding.h"
#include "ui/main/page_binding_limits.h"
#include "ui/service/communication_dialog.h"

namespace cct {

namespace {

// The list's values by baud rate index (9600 to 115200 bit/s).
constexpr std::array<int32_t, 5> kBaudValues = {1, 2, 4, 8, 16};

int BaudIndexOf(int32_t value) {
  for (int i = 0; i < static_cast<int>(kBaudValues.size()); ++i) {
    if (kBaudValues[i] == value) return i;
  }
  return -1;
}

}  // namespace

void PageBinding::ChangeCameraBaudRate() {
  ParameterTable& table = context_.parameters;
  Command& command = context_.command;
  int32_t cameraValue = 0;
  if (!command.QueryValue(kCmdCBDRT, cameraValue, limits::kBaudQueryMs)) {
    // Nothing was sent: the list shows the rate the table holds again.
    PutControlValue(kIdcCameraBaudRate, table.GetDataValue(kIdcCameraBaudRate));
    return;
  }
  const int32_t value = ReadControlValue(kIdcCameraBaudRate);
  const int index = BaudIndexOf(value);
  if (value == cameraValue || index < 0) return;

  table.SetDataValue(kIdcCameraBaudRate, value);
  const bool hadSettings = HasCameraSettings();
  // The camera answers at the old rate and then switches.
  command.SendValue(kCmdCBDRT, value, limits::kWriteMs);
  context_.serial.ReopenWithBaudRate(BaudIndexToRate(index));
  if (command.SendValue(kCmdCBDRT, value, limits::kWriteMs)) {
    window_.Communication().SelectBaudRate(index);
    table.SnapshotValues();
    // The same camera on the same line, only faster: what was read still holds.
    if (hadSettings) settingsReadAtOpen_ = context_.serial.OpenCount();
    return;
  }
  const int32_t previous = table.GetPrevDataValue(kIdcCameraBaudRate);
  const int previousIndex = BaudIndexOf(previous);
  if (previousIndex < 0) return;
  table.SetDataValue(kIdcCameraBaudRate, previous);
  PutControlValue(kIdcCameraBaudRate, previous);
  context_.serial.ReopenWithBaudRate(BaudIndexToRate(previousIndex));
}

}  // namespace cct
