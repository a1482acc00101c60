#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace cct::test {

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
