// Applying a setting file to the simulated camera (in this process, on a
// fake clock): what is sent, what the table takes, and when the read stops.
#include "lut/setting_file_applier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/templates/page_ids.h"
#include "support/engine_line.h"
#include "support/recording_host.h"

namespace cct {
namespace {

using Lines = std::vector<std::string>;

class SettingFileApplierTest : public ::testing::Test {
 protected:
  SettingFileResult Apply(const std::string& content, bool factoryRows = false) {
    SettingFileScope scope;
    scope.factoryRows = factoryRows;
    SettingFileHooks hooks;
    hooks.progress = [this](int done, int count) { progress.emplace_back(done, count); };
    hooks.identifyModel = [this] { ++identified; };
    line.written.clear();
    return SettingFileApplier(command, table, scope, hooks).Apply(content);
  }
  Lines Sent() const {
    Lines sent;
    for (const std::string& text : line.written) sent.push_back(text.substr(0, text.size() - 2));
    return sent;
  }

  test::RecordingHost host;
  test::FakeClock clock;
  test::EngineLine line{clock};
  Timing timing;
  Command command{line, host, clock, timing};
  ParameterTable table{host};
  std::vector<std::pair<int, int>> progress;
  int identified = 0;
};

TEST_F(SettingFileApplierTest, SendsRecognisedLinesInFileOrderAndTakesAcceptedValues) {
  const SettingFileResult result = Apply(
      "MD00=QX-2080L-RTN\r\nDV=1.2.0.5\r\nGA=200\r\nGA?\r\nEB=1\r\nEB=2\r\n\r\n"
      "BL=-20\nGA=300\r\nTS=1\r\nGA4A00=60\r\n");
  // A query, blank lines and commands without a row send nothing; TS is no
  // file parameter and GA4A00 a factory one. EB's missing row is said once.
  EXPECT_EQ(Sent(), (Lines{"MD00=QX-2080L-RTN", "DV=1.2.0.5", "GA=200", "BL=-20", "GA=300"}));
  EXPECT_EQ(identified, 1);
  EXPECT_EQ(table.GetDataValue(kIdcGainLevel), 300);  // the later line wins
  EXPECT_EQ(table.GetDataValue(kIdcBlackLevel), -20);
  EXPECT_EQ(result.lines, 11);
  EXPECT_EQ(result.notAccepted, 0);
  EXPECT_EQ(progress.back(), std::make_pair(10, 11));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find("ToCtrlId"), std::string::npos);

  Apply("GA4A00=60\r\n", /*factoryRows=*/true);
  EXPECT_EQ(table.GetDataValue(kIdcFactoryGain4KA), 60);
  EXPECT_EQ(Apply("\r\n\n").sent, 0);
}

TEST_F(SettingFileApplierTest, ARefusedValueLeavesTheTableAtTheCamerasValue) {
  line.engine.MutableOptions().refusedLines = {"GA=200"};
  const SettingFileResult result = Apply("GA=200\r\nBL=7\r\nGA=6401\r\n");
  EXPECT_EQ(Sent(), (Lines{"GA=200", "BL=7", "GA=6401"}));
  EXPECT_EQ(table.GetDataValue(kIdcGainLevel), 100);  // still the camera's value
  EXPECT_EQ(table.GetDataValue(kIdcBlackLevel), 7);
  EXPECT_EQ(result.notAccepted, 2);
  EXPECT_FALSE(result.cameraGone);
}

TEST_F(SettingFileApplierTest, ACameraThatFallsSilentEndsTheRead) {
  line.engine.MutableOptions().silentAfterLines = 1;
  const uint32_t start = clock.now;
  const SettingFileResult result = Apply("GA=200\r\nBL=7\r\nMF=1\r\nSS=1\r\n");
  EXPECT_EQ(Sent(), (Lines{"GA=200", "BL=7"}));  // MF and SS are not even sent
  EXPECT_TRUE(result.cameraGone);
  EXPECT_EQ(result.notAccepted, 1);
  EXPECT_EQ(table.GetDataValue(kIdcBlackLevel), 0);
  EXPECT_LT(clock.now - start, 6000u);  // one write's limit, not three
}

TEST(SettingFilePercentTest, NeverOverflowsNorLeavesItsRange) {
  const int cases[][3] = {{0, 0, 0}, {5, 10, 50}, {4, 3, 100}, {2147483646, 2147483647, 99}};
  for (const auto& [done, count, percent] : cases)
    EXPECT_EQ(SettingFilePercent(done, count), percent);
}

TEST_F(SettingFileApplierTest, SensorSelectWaitsForTheSensor) {
  line.engine.MutableOptions().answerDelayMs = {{"SS", 15000}};
  EXPECT_EQ(Apply("SS=1\r\nMF=1\r\n").notAccepted, 0);
  EXPECT_EQ(table.GetDataValue(kIdcSensorSelect), 1);
}

}  // namespace
}  // namespace cct
