#include "protocol/recalibration.h"

#include <utility>

#include "protocol/shutdown_request.h"

namespace cct {

namespace {

constexpr uint32_t kStatusQueryMs = 5000;
constexpr int32_t kBusy = 0;
// Polls in a row without any status before the camera counts as silent.
constexpr int kSilentPolls = 3;

}  // namespace

std::string CalibrationStatusText(int32_t status) {
  switch (status) {
    case 0:
      return "Busy";
    case 1:
      return "Succeeded";
    case 2:
      return "Too Bright";
    case 3:
      return "Too Dark";
    case 4:
      return "Timeout Error";
    default:
      return "Unknown Result";
  }
}

Recalibration::Recalibration(Command& command, Clock& clock, uint32_t pauseMs,
                             std::function<void(uint32_t)> pause)
    : command_(command), clock_(clock), pauseMs_(pauseMs), pause_(std::move(pause)) {}

bool Recalibration::Run(const RecalibrationCommands& commands, std::string& result) {
  const uint32_t start = clock_.Ticks();
  // A camera that refused the start runs no calibration, and its last
  // status would belong to an earlier one. One that did not answer in time
  // may still be calibrating.
  if (!command_.SendValue(commands.startCmd, 0, commands.startLimitMs) &&
      !command_.LastTimedOut()) {
    return false;
  }
  const uint32_t limit = commands.startLimitMs + pauseMs_;
  // The time the pauses take counts even where the clock does not see it.
  uint32_t paused = 0;
  int silentPolls = 0;
  bool busy = false;
  for (;;) {
    if (pause_) pause_(pauseMs_);
    // A program asked to end reports nothing more.
    if (ShutdownRequested()) return false;
    paused += pauseMs_;
    int32_t status = kBusy;
    if (command_.QueryValue(commands.statusCmd, status, kStatusQueryMs)) {
      silentPolls = 0;
      if (status != kBusy) {
        result = CalibrationStatusText(status);
        return true;
      }
      busy = true;
    } else if (++silentPolls >= kSilentPolls) {
      result = CalibrationStatusText(-1);
      return true;
    }
    const uint32_t elapsed = TicksSince(start, clock_.Ticks());
    if ((elapsed > paused ? elapsed : paused) > limit) {
      result = busy ? CalibrationStatusText(kBusy) : CalibrationStatusText(-1);
      return true;
    }
  }
}

}  // namespace cct
