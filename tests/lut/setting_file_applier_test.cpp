// Applying a setting file to the simulated camera (in this process, on a
// fake clock): what is sent, what the table takes, and when the read stops.
#include "lut/setting_file_applier.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "protocol/parameter_table.h"
#include "res/templates/page_ids.h"
#include "support/engine_line.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"

namespace cct {
namespace {

using Lines = std::vector<std::string>;

class SettingFileApplierTest : public ::testing::Test {
 protected:
  SettingFileResult Apply(const std::string& content, bool factoryRows = false) {
    std::istringstream in(content);
    SettingFileHooks hooks;
    hooks.progress = [this](int done, int count) { progress.emplace_back(done, count); };
    hooks.identifyModel = [this] { ++identified; };
    SettingFileApplier applier(command, table, factoryRows, hooks);
    return applier.Apply(in);
  }
  // What went to the camera, without line ends.
  Lines Sent() const {
    Lines sent;
    for (std::string text : line.written) sent.push_back(text.substr(0, text.size() - 2));
    return sent;
  }
  int32_t Value(int ctrlId) { return table.GetDataValue(ctrlId); }

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
      "MD00=QX-2080L-RTN\r\nDV=1.2.0.5\r\n GA = 200\r\nGA?\r\nGA=abc\r\nXYZ=1\r\n\r\n"
      "BL=-20\nGA=300\r\nTS=1\r\nGA4A00=60\r\n");
  // Queries, bad values, unknown mnemonics and blank lines send nothing; TS
  // is no file parameter and GA4A00 a factory one.
  EXPECT_EQ(Sent(), (Lines{"MD00=QX-2080L-RTN", "DV=1.2.0.5", "GA=200", "BL=-20", "GA=300"}));
  EXPECT_EQ(identified, 1);
  EXPECT_EQ(Value(kIdcGainLevel), 300);  // the later line wins
  EXPECT_EQ(Value(kIdcBlackLevel), -20);
  EXPECT_EQ(result.lines, 11);
  EXPECT_EQ(result.sent, 5);
  EXPECT_EQ(result.notAccepted, 0);
  EXPECT_FALSE(result.cameraGone);
  ASSERT_EQ(progress.size(), 11u);
  EXPECT_EQ(progress.front(), std::make_pair(0, 11));
  EXPECT_EQ(progress.back(), std::make_pair(10, 11));
  EXPECT_TRUE(host.boxes.empty());

  // With the factory rows, GA4A00 goes too.
  line.written.clear();
  Apply("GA4A00=60\r\n", /*factoryRows=*/true);
  EXPECT_EQ(Sent(), (Lines{"GA4A00=60"}));
  EXPECT_EQ(Value(kIdcFactoryGain4KA), 60);
}

TEST_F(SettingFileApplierTest, ARefusedValueLeavesTheTableAtTheCamerasValue) {
  line.engine.MutableOptions().refusedLines = {"GA=200"};
  const SettingFileResult result = Apply("GA=200\r\nBL=7\r\nGA=6401\r\n");
  EXPECT_EQ(Sent(), (Lines{"GA=200", "BL=7", "GA=6401"}));
  EXPECT_EQ(Value(kIdcGainLevel), 100);  // still the camera's value
  EXPECT_EQ(Value(kIdcBlackLevel), 7);
  EXPECT_EQ(result.notAccepted, 2);
  EXPECT_FALSE(result.cameraGone);
  // The camera's own error lines, one box each, from the command layer.
  EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(SettingFileApplierTest, ACameraThatFallsSilentEndsTheRead) {
  line.engine.MutableOptions().silentAfterLines = 1;
  const uint32_t start = clock.now;
  const SettingFileResult result = Apply("GA=200\r\nBL=7\r\nMF=1\r\nSS=1\r\n");
  // BL goes unanswered; MF and SS are not even sent.
  EXPECT_EQ(Sent(), (Lines{"GA=200", "BL=7"}));
  EXPECT_TRUE(result.cameraGone);
  EXPECT_EQ(result.notAccepted, 1);
  EXPECT_EQ(Value(kIdcBlackLevel), 0);
  EXPECT_LT(clock.now - start, 6000u);  // one write's limit, not four
}

TEST_F(SettingFileApplierTest, SensorSelectWaitsForTheSensor) {
  // A camera that needs 15 s for a new sensor still answers in time.
  line.engine.MutableOptions().answerDelayMs = {{"SS", 15000}};
  const SettingFileResult result = Apply("SS=1\r\nMF=1\r\n");
  EXPECT_EQ(result.notAccepted, 0);
  EXPECT_EQ(Value(kIdcSensorSelect), 1);
  EXPECT_EQ(Value(kIdcMedianFilter), 1);
}

TEST_F(SettingFileApplierTest, ACommandWithoutARowIsReportedOncePerFile) {
  const SettingFileResult result = Apply("EB=1\r\nEB=2\r\nEB=3\r\nGA=150\r\n");
  EXPECT_EQ(Sent(), (Lines{"GA=150"}));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find("ToCtrlId"), std::string::npos);
  EXPECT_EQ(result.notAccepted, 0);
}

TEST_F(SettingFileApplierTest, AFileOfBlankLinesSendsNothing) {
  const std::vector<int32_t> before = [this] {
    std::vector<int32_t> v;
    for (int i = 0; i < ParameterTable::RowCount(); ++i) v.push_back(table.Row(i).current);
    return v;
  }();
  const SettingFileResult result = Apply("\r\n\r\n\n");
  EXPECT_TRUE(line.written.empty());
  EXPECT_EQ(result.lines, 3);
  EXPECT_EQ(progress.size(), 3u);
  for (int i = 0; i < ParameterTable::RowCount(); ++i) EXPECT_EQ(table.Row(i).current, before[i]);
}

}  // namespace
}  // namespace cct
