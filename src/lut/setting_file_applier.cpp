#include "lut/setting_file_applier.h"

#include <cstdint>
#include <set>
#include <utility>

#include "lut/camera_setting_file.h"
#include "protocol/shutdown_request.h"

namespace cct {

namespace {

constexpr uint32_t kModelWriteMs = 1000;
constexpr uint32_t kDeviceWriteMs = 5000;
constexpr uint32_t kParameterWriteMs = 5000;
constexpr uint32_t kSensorSelectWriteMs = 20000;

}  // namespace

uint32_t ParameterWriteLimitMs(int commandId) {
  return commandId == kCmdSS ? kSensorSelectWriteMs : kParameterWriteMs;
}

int SettingFilePercent(int done, int count) {
  if (count <= 0 || done <= 0) return 0;
  if (done >= count) return 100;
  return static_cast<int>(static_cast<int64_t>(done) * 100 / count);
}

std::string NotAcceptedText(const SettingFileResult& result) {
  if (result.notAccepted == 0) return std::string();
  std::string text =
      "The camera did not accept " + std::to_string(result.notAccepted) + " line(s) of this file.";
  if (result.cameraGone) {
    text += "\nThe camera stopped answering; the rest of the file was not sent.";
  }
  return text;
}

SettingFileApplier::SettingFileApplier(Command& command, ParameterTable& table,
                                       SettingFileScope scope, SettingFileHooks hooks)
    : command_(command), table_(table), scope_(scope), hooks_(std::move(hooks)) {}

bool SettingFileApplier::Sent(bool accepted, SettingFileResult& result) {
  ++result.sent;
  if (!accepted) {
    ++result.notAccepted;
    // Without an answer the camera is gone; the command layer has said so,
    // and every further line would only wait out its own limit.
    if (command_.LastTimedOut()) result.cameraGone = true;
  }
  return accepted;
}

SettingFileResult SettingFileApplier::Apply(std::string_view bytes) {
  SettingFileResult result;
  result.lines = CountSettingLines(bytes);

  // A command without a row is reported once per file, not once per line.
  std::set<int> reported;
  SettingLineReader reader(bytes);
  SettingLine line;
  for (int i = 0;
       i < result.lines && !result.cameraGone && !ShutdownRequested() && reader.Next(line); ++i) {
    if (hooks_.progress) hooks_.progress(i, result.lines);
    const SettingEntry entry = RecogniseSettingLine(command_, line);
    switch (entry.kind) {
      case SettingLineKind::kIgnored:
        break;
      case SettingLineKind::kModel:
        if (!scope_.modelLine) break;
        Sent(command_.SendText(kCmdMD00, entry.text, kModelWriteMs), result);
        if (!result.cameraGone && hooks_.identifyModel) hooks_.identifyModel();
        break;
      case SettingLineKind::kDevice:
        if (!scope_.deviceLine) break;
        Sent(command_.SendText(kCmdDV, entry.text, kDeviceWriteMs), result);
        break;
      case SettingLineKind::kParameter: {
        if (reported.count(entry.commandId) != 0) break;
        const int ctrlId = table_.ToCtrlId(entry.commandId);
        if (ctrlId < 0) {
          reported.insert(entry.commandId);
          break;
        }
        ApplyParameter(ctrlId, entry.commandId, entry.value, result);
        break;
      }
    }
  }
  return result;
}

void SettingFileApplier::ApplyParameter(int ctrlId, int commandId, int32_t value,
                                        SettingFileResult& result) {
  if (table_.IsFactoryParam(ctrlId) && !scope_.factoryRows) return;
  if (table_.IsFileParam(ctrlId) == 0) return;
  if (Sent(command_.SendValue(commandId, value, ParameterWriteLimitMs(commandId)), result)) {
    table_.SetDataValue(ctrlId, value);
  }
}

}  // namespace cct
