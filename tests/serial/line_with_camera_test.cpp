// The command exchange over the real serial path: termios, the receive
// thread and the ring, against the simulated camera on a pseudo-terminal.

#include <gtest/gtest.h>

#include "protocol/command.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"
#include "support/recording_host.h"
#include "support/temp_config.h"

namespace cct {
namespace {

using test::RecordingHost;
using test::TempConfig;

class LineWithCameraTest : public ::testing::Test {
 protected:
  void StartCamera(sim::PtyOptions options = {}) {
    options.portName = "COM1";
    camera = std::make_unique<sim::PtyCamera>(std::move(options));
    std::string error;
    ASSERT_TRUE(camera->Start(&error)) << error;
  }

  TempConfig config;
  RecordingHost host;
  NullPreferences prefs;
  SteadyClock clock;
  Timing timing;
  std::unique_ptr<sim::PtyCamera> camera;
  CSerialChannel line{host, prefs, clock};
  Command command{line, host, clock, timing};
};

TEST_F(LineWithCameraTest, WritesAndQueriesOnCom1ThroughThePortMap) {
  StartCamera();
  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));

  int32_t gain = 0;
  EXPECT_TRUE(command.QueryValue(kCmdGA, gain, 1000));
  EXPECT_EQ(gain, 100);
  EXPECT_TRUE(command.SendValue(kCmdGA, 6400, 5000));
  EXPECT_TRUE(command.QueryValue(kCmdGA, gain, 1000));
  EXPECT_EQ(gain, 6400);
  std::string model;
  EXPECT_TRUE(command.QueryText(kCmdMD, model, 1000));
  EXPECT_EQ(model, "QX-2040L-RTN");
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.onlineStates, (std::vector<bool>{true, true, true, true}));

  // Out of range: refused with the camera's own error line.
  EXPECT_FALSE(command.SendValue(kCmdGA, 7000, 5000));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.rfind("COMPLETE", 0), 0u);
  EXPECT_EQ(host.boxes[0].caption, "Communication Error");

  // Both logs hold every line, sent and received.
  EXPECT_EQ(host.terminal.front(), "Tx: GA?");
  EXPECT_EQ(host.terminal[1], "Rx: GA=100");
  EXPECT_EQ(host.messages[0], "GA?");
  EXPECT_EQ(host.messages[1], "GA=100");
  EXPECT_EQ(camera->ReceivedLines().front(), "GA?");
}

TEST_F(LineWithCameraTest, WrongBaudRateTimesOutOffline) {
  StartCamera();
  ASSERT_TRUE(line.Open(kModeComPort, 115200, 0));
  std::string model;
  EXPECT_FALSE(command.QueryText(kCmdMD, model, 300));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.onlineStates, std::vector<bool>{false});
  EXPECT_TRUE(camera->ReceivedLines().empty());
}

TEST_F(LineWithCameraTest, CameraBaudChangeIsAnsweredAtTheOldRateThenFollowed) {
  StartCamera();
  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));
  EXPECT_TRUE(command.SendValue(kCmdCBDRT, 16, 5000));
  std::string model;
  EXPECT_FALSE(command.QueryText(kCmdMD, model, 300));  // the camera moved on
  ASSERT_TRUE(line.ReopenWithBaudRate(115200));
  EXPECT_TRUE(command.QueryText(kCmdMD, model, 1000));
  int32_t bits = 0;
  EXPECT_TRUE(command.QueryValue(kCmdCBDRT, bits, 500));
  EXPECT_EQ(bits, 16);
  EXPECT_EQ(line.GetBaudRateIndex(), 4);
}

TEST_F(LineWithCameraTest, UnsolicitedLinesAreLoggedAndDoNotDisturbTheNextExchange) {
  sim::PtyOptions options;
  options.unsolicitedPeriodMs = 30;
  StartCamera(options);
  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));
  // Poll as the 25 ms timer would, for a while.
  for (int i = 0; i < 8; ++i) {
    clock.Sleep(25);
    command.OnPollTimer();
  }
  bool sawEvent = false;
  for (const auto& m : host.messages) sawEvent |= m.rfind("EVENT=", 0) == 0;
  EXPECT_TRUE(sawEvent);
  // Events may still arrive between the query and its answer; they do not
  // parse as the queried command, so only a clean answer is accepted.
  int32_t gain = 0;
  bool ok = false;
  for (int attempt = 0; attempt < 5 && !ok; ++attempt) ok = command.QueryValue(kCmdGA, gain, 1000);
  EXPECT_TRUE(ok);
  EXPECT_EQ(gain, 100);
}

TEST_F(LineWithCameraTest, OverLongLineRaisesTheOverflowMessage) {
  sim::PtyOptions options;
  options.longLines = true;
  options.pace = false;
  StartCamera(options);
  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));
  int32_t gain = 0;
  EXPECT_FALSE(command.QueryValue(kCmdGA, gain, 1000));
  ASSERT_FALSE(host.boxes.empty());
  EXPECT_EQ(host.boxes[0].text, "RS-232C receiving buffer overflowed");
}

TEST_F(LineWithCameraTest, HangUpEndsInTimeOutsNotInAHang) {
  StartCamera();
  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));
  int32_t gain = 0;
  ASSERT_TRUE(command.QueryValue(kCmdGA, gain, 1000));
  camera->HangUp();
  const uint32_t start = clock.Ticks();
  EXPECT_FALSE(command.QueryValue(kCmdGA, gain, 300));
  EXPECT_FALSE(command.SendValue(kCmdGA, 200, 300));
  EXPECT_LT(clock.Ticks() - start, 2000u);
  EXPECT_EQ(host.onlineStates.back(), false);
  line.Close();
}

}  // namespace
}  // namespace cct
