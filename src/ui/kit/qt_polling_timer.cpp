#include "ui/kit/qt_polling_timer.h"

#include <unistd.h>

#include <cstdint>

namespace cct {

QtPollingTimer::QtPollingTimer() {
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    if (onTick_) onTick_();
  });
}

void QtPollingTimer::Start(uint32_t periodMs, std::function<void()> onTick) {
  onTick_ = std::move(onTick);
  periodMs_ = static_cast<int>(periodMs);
  timer_.start(periodMs_);
}

void QtPollingTimer::WaitForSignal(int fd) {
  if (fd < 0) return;
  if (!notifier_ || notifier_->socket() != fd) {
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &timer_, [this] { OnSignal(); });
  }
  timer_.stop();
  notifier_->setEnabled(true);
}

void QtPollingTimer::OnSignal() {
  // An eventfd: one read takes every signal given so far.
  uint64_t count = 0;
  (void)!::read(static_cast<int>(notifier_->socket()), &count, sizeof count);
  notifier_->setEnabled(false);
  timer_.start(periodMs_);
}

void QtPollingTimer::Stop() {
  timer_.stop();
  if (notifier_) notifier_->setEnabled(false);
}

}  // namespace cct
