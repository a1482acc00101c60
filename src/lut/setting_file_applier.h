#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// The percentage a read has come to before line `done` of `count`, 0 to 100,
// without overflow for any count.
int SettingFilePercent(int done, int count);

// Which of a file's lines go to the camera besides its user parameter lines.
struct SettingFileScope {
  bool factoryRows = false;  // parameter lines of factory rows
  bool modelLine = true;     // "MD00=": rewrites the camera's model identity
  bool deviceLine = true;    // "DV=": the device value, which the camera only checks
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
// table keeps showing what the camera holds. Lines outside `scope` are not
// sent; rows without the setting-file flag never. Works on the file's bytes
// in memory; nothing here throws.
class SettingFileApplier {
 public:
  SettingFileApplier(Command& command, ParameterTable& table, SettingFileScope scope,
                     SettingFileHooks hooks = {});

  SettingFileResult Apply(std::string_view bytes);

 private:
  void ApplyParameter(int ctrlId, int commandId, int32_t value, SettingFileResult& result);
  bool Sent(bool accepted, SettingFileResult& result);

  Command& command_;
  ParameterTable& table_;
  SettingFileScope scope_;
  SettingFileHooks hooks_;
};

}  // namespace cct
