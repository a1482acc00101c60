#include "ui/kit/qt_polling_timer.h"

namespace cct {

QtPollingTimer::QtPollingTimer() {
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    if (onTick_) onTick_();
  });
}

void QtPollingTimer::Start(uint32_t periodMs, std::function<void()> onTick) {
  onTick_ = std::move(onTick);
  timer_.start(static_cast<int>(periodMs));
}

void QtPollingTimer::Stop() {
  timer_.stop();
}

}  // namespace cct
