#pragma once

#include <QSocketNotifier>
#include <QTimer>

#include <memory>

#include "protocol/line.h"

namespace cct {

// The command layer's polling timer on the Qt event loop. Stops when
// destroyed, so it never ticks into a window that is gone.
class QtPollingTimer : public PollingTimer {
 public:
  QtPollingTimer();
  void Start(uint32_t periodMs, std::function<void()> onTick) override;
  // The timer stops until the descriptor is readable, then goes on.
  void WaitForSignal(int fd) override;
  void Stop();
  bool IsActive() const { return timer_.isActive(); }
  bool IsWaiting() const { return notifier_ && notifier_->isEnabled(); }

 private:
  void OnSignal();

  QTimer timer_;
  std::function<void()> onTick_;
  int periodMs_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace cct
