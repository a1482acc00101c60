#include "serial/camera_model.h"

#include <cstdio>

#include "protocol/command_table.h"

namespace cct {

namespace {
constexpr uint32_t kProbeLimitMs = 1000;
}

int ModelIndexOf(const std::string& name) {
  for (int i = 0; i < kModelCount; ++i) {
    if (name == kModelNames[i]) return i;
  }
  return -1;
}

std::string VersionNumberString(int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", value / 100, value % 100);
  return text;
}

bool IsKnownModel(int modelIndex) {
  return modelIndex >= 0 && modelIndex < kModelCount;
}

bool Has8KSensor(int modelIndex) {
  return modelIndex == 1 || modelIndex == 3;
}

bool ProbeCamera(Command& command, Host& host, CameraModelRecord& record) {
  std::string answer;
  if (!command.QueryText(kCmdMD, answer, kProbeLimitMs)) return false;
  int index = ModelIndexOf(answer);
  if (index < 0) {
    host.MessageBox("Unsupported model: \"" + answer + "\"", kAppCaption, MsgIcon::Warning,
                    MsgButtons::Ok);
    index = kModelUnknown;
  }
  record.modelIndex = index;
  record.modelText = answer;
  return true;
}

}  // namespace cct
