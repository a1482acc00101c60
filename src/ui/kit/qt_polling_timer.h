#pragma once

#include <QTimer>

#include "protocol/line.h"

namespace cct {

// The command layer's polling timer on the Qt event loop. Stops when
// destroyed, so it never ticks into a window that is gone.
class QtPollingTimer : public PollingTimer {
 public:
  QtPollingTimer();
  void Start(uint32_t periodMs, std::function<void()> onTick) override;
  void Stop();
  bool IsActive() const { return timer_.isActive(); }

 private:
  QTimer timer_;
  std::function<void()> onTick_;
};

}  // namespace cct
