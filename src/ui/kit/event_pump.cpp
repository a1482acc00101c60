#include "ui/kit/event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "protocol/shutdown_request.h"

namespace cct {

void PumpPendingEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {

// Ends a loop once the window system has shown the window.
class ExposeWatch : public QObject {
 public:
  ExposeWatch(QWindow* window, QEventLoop& loop) : window_(window), loop_(loop) {
    window_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Expose) loop_.quit();
    return false;
  }

 private:
  QWindow* window_;
  QEventLoop& loop_;
};

}  // namespace

bool PaintNow(QWidget* widget, uint32_t exposeWaitMs) {
  QPointer<QWidget> window(widget);
  if (!window || !window->isVisible() || !QCoreApplication::instance()) return false;
  if (QWindow* handle = window->windowHandle();
      handle && !handle->isExposed() && exposeWaitMs > 0 && !ShutdownRequested()) {
    QEventLoop loop;
    ExposeWatch watch(handle, loop);
    QTimer::singleShot(static_cast<int>(exposeWaitMs), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  // Timers ran meanwhile: the window may have gone.
  if (!window || !window->isVisible()) return false;
  // Painted and flushed at once, not when the blocked loop gets round to it.
  window->repaint();
  return window->windowHandle() && window->windowHandle()->isExposed();
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
