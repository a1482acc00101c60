#pragma once

#include <functional>
#include <istream>
#include <string>

#include "protocol/command.h"
#include "protocol/parameter_table.h"

namespace cct {

// The time a parameter write may take to be answered: the camera
// re-initialises its sensor before it answers "SS".
uint32_t ParameterWriteLimitMs(int commandId);

// What applying a setting file needs besides the camera and the table.
struct SettingFileHooks {
  // Before each line: lines done so far and the file's line count.
  std::function<void(int done, int count)> progress;
  // After the model line was sent: the camera is asked who it is now.
  std::function<void()> identifyModel;
};

struct SettingFileResult {
  int lines = 0;            // lines in the file
  int sent = 0;             // lines sent to the camera
  int notAccepted = 0;      // of those, refused or unanswered
  bool cameraGone = false;  // a write went unanswered; the rest of the file was not sent
};

// What the operator is told of lines the camera did not accept; empty when
// it took every line sent.
std::string NotAcceptedText(const SettingFileResult& result);

// Sends a camera setting file to the camera line by line, in file order, and
// takes every value the camera accepted into the parameter table, so the
// table keeps showing what the camera holds. Lines for factory rows count only
// with the factory rows enabled; rows without the setting-file flag never.
class SettingFileApplier {
 public:
  SettingFileApplier(Command& command, ParameterTable& table, bool factoryRows,
                     SettingFileHooks hooks = {});

  SettingFileResult Apply(std::istream& in);

 private:
  void ApplyParameter(int ctrlId, int commandId, int32_t value, SettingFileResult& result);
  bool Sent(bool accepted, SettingFileResult& result);

  Command& command_;
  ParameterTable& table_;
  bool factoryRows_;
  SettingFileHooks hooks_;
};

}  // namespace cct
