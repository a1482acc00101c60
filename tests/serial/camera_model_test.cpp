#include "serial/camera_model.h"

#include <gtest/gtest.h>

#include "protocol/command.h"
#include "protocol/timing.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/scripted_line.h"
#include "support/temp_config.h"

namespace cct {
namespace {

class ProbeCameraTest : public ::testing::Test {
 protected:
  void CameraSays(const std::string& model) { line.Answer("MD?\r\n", "MD=" + model + "\r\n"); }
  bool Probe() { return ProbeCamera(command, host, record); }

  test::FakeClock clock;
  test::ScriptedLine line{clock};
  test::RecordingHost host;
  Timing timing;
  Command command{line, host, clock, timing};
  CameraModelRecord record;
};

TEST_F(ProbeCameraTest, KnownModelsGiveTheirIndex) {
  EXPECT_EQ(record.modelIndex, kModelUnknown);
  for (int i = 0; i < kModelCount; ++i) {
    CameraSays(kModelNames[i]);
    EXPECT_TRUE(Probe());
    EXPECT_EQ(record.modelIndex, i);
    EXPECT_EQ(record.modelText, kModelNames[i]);
  }
  EXPECT_EQ(line.written.back(), "MD?\r\n");
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(Has8KSensor(3));  // "QX-2080L-VRTN"
  EXPECT_FALSE(Has8KSensor(2));
  EXPECT_FALSE(Has8KSensor(kModelUnknown));
}

TEST_F(ProbeCameraTest, AnyOtherAnswerIsUnsupportedButStillACamera) {
  for (const std::string answer : {"qx-2040l-rtn", "QX-2040L-RTNX", "QX-2040L-RTN.", ""}) {
    host.boxes.clear();
    CameraSays(answer);
    EXPECT_TRUE(Probe()) << answer;
    EXPECT_EQ(record.modelIndex, kModelUnknown);
    EXPECT_EQ(record.modelText, answer);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Unsupported model: \"" + answer + "\"");
    EXPECT_EQ(host.boxes[0].caption, kAppCaption);
    EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
  }
}

TEST_F(ProbeCameraTest, SilenceKeepsTheEarlierRecord) {
  CameraSays("QX-2080L-RTN");
  ASSERT_TRUE(Probe());
  const uint32_t before = clock.now;
  line.Answer("MD?\r\n", "");  // the camera stops answering
  EXPECT_FALSE(Probe());
  EXPECT_EQ(record.modelIndex, 1);
  EXPECT_EQ(record.modelText, "QX-2080L-RTN");
  EXPECT_TRUE(host.boxes.empty());
  // It waited out the 1000 ms limit, not longer than one more poll step.
  EXPECT_GE(clock.now - before, 1000u);
  EXPECT_LT(clock.now - before, 1000u + 2 * (timing.answerPollMs + timing.byteReadLimitMs));
}

TEST_F(ProbeCameraTest, AReplyForAnotherCommandKeepsTheEarlierRecord) {
  CameraSays("QX-2040L-VRTN");
  ASSERT_TRUE(Probe());
  line.Answer("MD?\r\n", "GA=100\r\n");
  EXPECT_FALSE(Probe());
  EXPECT_EQ(record.modelIndex, 2);
  EXPECT_EQ(record.modelText, "QX-2040L-VRTN");
  // The command layer's own complaint, not the unsupported-model message.
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].caption, kCommErrorCaption);
}

// The same over the real serial path, against the simulated camera on COM1.
TEST(ProbeCameraOnLineTest, IdentifiesTheCameraAndKeepsItWhenTheLineGoesQuiet) {
  test::TempConfig config;
  test::RecordingHost host;
  NullPreferences prefs;
  SteadyClock clock;
  Timing timing;
  sim::PtyOptions options;
  options.portName = "COM1";
  options.engine.model = "QX-2080L-VRTN";
  sim::PtyCamera camera(options);
  std::string error;
  ASSERT_TRUE(camera.Start(&error)) << error;
  CSerialChannel line(host, prefs, clock);
  Command command(line, host, clock, timing);
  CameraModelRecord record;

  ASSERT_TRUE(line.Open(kModeComPort, 9600, 0));
  EXPECT_TRUE(ProbeCamera(command, host, record));
  EXPECT_EQ(record.modelIndex, 3);
  EXPECT_EQ(record.modelText, "QX-2080L-VRTN");

  // At a rate the camera does not hear, nothing answers.
  ASSERT_TRUE(line.ReopenWithBaudRate(115200));
  EXPECT_FALSE(ProbeCamera(command, host, record));
  EXPECT_EQ(record.modelIndex, 3);
  EXPECT_EQ(record.modelText, "QX-2080L-VRTN");
  EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace cct
