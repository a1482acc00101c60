// The camera's recalibrations against the simulated camera on a fake clock:
// the result, and the bounds that end a polling without one.
#include "protocol/recalibration.h"

#include <gtest/gtest.h>

#include <string>

#include "support/engine_line.h"
#include "support/recording_host.h"

namespace cct {
namespace {

constexpr RecalibrationCommands kPixelGain = {kCmdPGR, 100000, kCmdPGS};
constexpr RecalibrationCommands kShading = {kCmdSDR, 20000, kCmdSDS};

class RecalibrationTest : public ::testing::Test {
 protected:
  // The result text, or "refused".
  std::string Run(const RecalibrationCommands& commands) {
    Recalibration recalibration(command, clock, 1000, [this](uint32_t ms) {
      ++pauses;
      clock.Advance(ms);
    });
    std::string result;
    return recalibration.Run(commands, result) ? result : "refused";
  }
  sim::EngineOptions& Camera() { return line.engine.MutableOptions(); }

  test::RecordingHost host;
  test::FakeClock clock;
  test::EngineLine line{clock};
  Timing timing;
  Command command{line, host, clock, timing};
  int pauses = 0;
};

TEST_F(RecalibrationTest, PollsEverySecondUntilTheCameraSaysHowItWent) {
  Camera().calibrationBusyPolls = 2;
  Camera().calibrationResult = 3;
  EXPECT_EQ(Run(kPixelGain), "Too Dark");
  EXPECT_EQ(pauses, 3);
  EXPECT_EQ(line.written.front(), "PGR=0\r\n");
  Camera().calibrationBusyPolls = 0;
  Camera().calibrationResult = 7;
  EXPECT_EQ(Run(kPixelGain), "Unknown Result");
}

TEST_F(RecalibrationTest, ACameraThatStaysBusyEndsAfterItsLimit) {
  Camera().calibrationBusyPolls = 1000000;
  const uint32_t start = clock.now;
  EXPECT_EQ(Run(kShading), "Busy");
  EXPECT_GT(clock.now - start, 21000u);
  EXPECT_LT(clock.now - start, 23000u);
}

TEST_F(RecalibrationTest, ASilentCameraEndsAfterThreePolls) {
  Camera().calibrationBusyPolls = 2;
  Camera().calibrationSilentWhileBusy = true;
  EXPECT_EQ(Run(kPixelGain), "Succeeded");  // two polls unanswered, then the result
  Camera().calibrationBusyPolls = 5;
  pauses = 0;
  EXPECT_EQ(Run(kPixelGain), "Unknown Result");
  EXPECT_EQ(pauses, 3);
}

TEST_F(RecalibrationTest, ARefusedStartReportsNothingAndALateOneStillPolls) {
  Camera().refusedLines = {"PGR=0"};
  EXPECT_EQ(Run(kPixelGain), "refused");
  EXPECT_EQ(pauses, 0);
  ASSERT_EQ(host.boxes.size(), 1u);  // the camera's answer, from the command layer

  // The start's answer comes after its limit: the status is still asked.
  Camera().refusedLines.clear();
  Camera().answerDelayMs = {{"PGR", 100500}};
  line.written.clear();
  Run(kPixelGain);
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(line.written.back(), "PGS?\r\n");
}

}  // namespace
}  // namespace cct
