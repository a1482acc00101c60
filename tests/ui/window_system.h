#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

// What the window system shows of the windows and what it delivers to them.
namespace cct::test {

// One notch of the wheel over the control's middle, as the window system
// delivers it: to the window, which hands it to the widget under the pointer.
inline void WheelNotch(QWidget* control, bool down = true) {
  QWidget* top = control->window();
  const QPoint middle = control->rect().center();
  QWheelEvent wheel(control->mapTo(top, middle), control->mapToGlobal(middle), QPoint(),
                    QPoint(0, down ? -120 : 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  QCoreApplication::sendEvent(top->windowHandle(), &wheel);
}

// What the screen shows of a window: the contents last flushed to it (the
// offscreen platform's grab gives the backing store as flushed).
inline QImage OnScreen(QWidget* window) {
  return window->screen()
      ->grabWindow(window->winId())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}
// What the window shows when it is painted now.
inline QImage Painted(QWidget* window) {
  return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
inline ::testing::AssertionResult ShownAsPainted(QWidget* window) {
  const QImage shown = OnScreen(window);
  if (shown == Painted(window)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the screen shows " << (shown.isNull() ? "nothing" : "other pixels");
}

}  // namespace cct::test
