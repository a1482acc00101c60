#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>
#include <csignal>

#include "app/shutdown_signals.h"

namespace cct {
namespace {

TEST(ShutdownSignalsTest, ASignalBecomesACallOnTheEventLoop) {
  int received = 0;
  ShutdownSignals handlers([&](int number) { received = number; });
  ASSERT_TRUE(handlers.IsInstalled());
  // A second instance must not take the handlers away from the first.
  ShutdownSignals second([](int) {});
  EXPECT_FALSE(second.IsInstalled());

  ASSERT_EQ(std::raise(SIGHUP), 0);
  EXPECT_EQ(received, 0);  // nothing runs inside the handler
  QElapsedTimer waited;
  waited.start();
  while (received == 0 && waited.elapsed() < 5000) QCoreApplication::processEvents();
  EXPECT_EQ(received, SIGHUP);
}

}  // namespace
}  // namespace cct
