#include "ui/kit/event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "protocol/shutdown_request.h"

namespace cct {

void PumpPendingEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void HoldFor(uint32_t ms) {
  // Nothing is worth waiting for once the program is to end.
  if (ms == 0 || !QCoreApplication::instance() || ShutdownRequested()) return;
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(static_cast<int>(ms));
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace cct
