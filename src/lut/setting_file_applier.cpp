#include "lut/setting_file_applier.h"

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

std::string NotAcceptedText(const SettingFileResult& result) {
  if (result.notAccepted == 0) return std::string();
  std::string text =
      "The camera did not accept " + std::to_string(result.notAccepted) + " line(s) of this file.";
  if (result.cameraGone) {
    text += "\nThe camera stopped answering; the rest of the file was not sent.";
  }
  return text;
}

SettingFileApplier::SettingFileApplier(Command& command, ParameterTable& table, bool factoryRows,
                                       SettingFileHooks hooks)
    : command_(command), table_(table), factoryRows_(factoryRows), hooks_(std::move(hooks)) {}

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

SettingFileResult SettingFileApplier::Apply(std::istream& in) {
  SettingFileResult result;
  result.lines = CountSettingLines(in);
  in.clear();
  in.seekg(0);

  // A command without a row is reported once per file, not once per line.
  std::set<int> reported;
  SettingLineReader reader(in);
  SettingLine line;
  for (int i = 0;
       i < result.lines && !result.cameraGone && !ShutdownRequested() && reader.Next(line); ++i) {
    if (hooks_.progress) hooks_.progress(i, result.lines);
    const SettingEntry entry = RecogniseSettingLine(command_, line);
    switch (entry.kind) {
      case SettingLineKind::kIgnored:
        break;
      case SettingLineKind::kModel:
        Sent(command_.SendText(kCmdMD00, entry.text, kModelWriteMs), result);
        if (!result.cameraGone && hooks_.identifyModel) hooks_.identifyModel();
        break;
      case SettingLineKind::kDevice:
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
  if (table_.IsFactoryParam(ctrlId) && !factoryRows_) return;
  if (table_.IsFileParam(ctrlId) == 0) return;
  if (Sent(command_.SendValue(commandId, value, ParameterWriteLimitMs(commandId)), result)) {
    table_.SetDataValue(ctrlId, value);
  }
}

}  // namespace cct
