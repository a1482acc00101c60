#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "protocol/clock.h"
#include "protocol/command.h"

namespace cct {

// One of the camera's recalibrations: the command that starts it (sent with
// 0), how long the camera may take for it, and the command that reports its
// status: 0 while it runs, then the result.
struct RecalibrationCommands {
  int startCmd;
  uint32_t startLimitMs;
  int statusCmd;
};

// "Succeeded", "Too Bright", ... for a status the camera reports.
std::string CalibrationStatusText(int32_t status);

// Starts a recalibration and polls its status until the camera reports a
// result. The polling ends, too, once the camera has had the start limit and
// one poll more ("Busy"), or after three polls in a row without any status
// ("Unknown Result"), so a camera that never finishes or falls silent cannot
// hold the tool.
class Recalibration {
 public:
  // `pause` waits between two polls; the window keeps painting meanwhile.
  Recalibration(Command& command, Clock& clock, uint32_t pauseMs,
                std::function<void(uint32_t ms)> pause);

  // False when the camera refused the start: no calibration ran, and the
  // command layer has shown the camera's answer. Otherwise the text of the
  // result.
  bool Run(const RecalibrationCommands& commands, std::string& result);

 private:
  Command& command_;
  Clock& clock_;
  uint32_t pauseMs_;
  std::function<void(uint32_t)> pause_;
};

}  // namespace cct
