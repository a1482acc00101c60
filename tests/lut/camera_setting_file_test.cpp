// The camera setting file's lines: how the writers format them and how the
// reader splits and recognises them, without a camera.
#include "lut/camera_setting_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "protocol/parameter_table.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/scripted_line.h"

namespace cct {
namespace {

class SettingFileTest : public ::testing::Test {
 protected:
  std::vector<SettingLine> Lines(const std::string& content) {
    std::istringstream in(content);
    SettingLineReader reader(in);
    std::vector<SettingLine> lines;
    SettingLine line;
    while (reader.Next(line)) lines.push_back(line);
    std::istringstream again(content);
    EXPECT_EQ(CountSettingLines(again), static_cast<int>(lines.size()));
    return lines;
  }
  SettingEntry Recognise(const std::string& text) {
    return RecogniseSettingLine(command, SettingLine{text, false});
  }

  test::RecordingHost host;
  test::FakeClock clock;
  test::ScriptedLine line{clock};
  Timing timing;
  Command command{line, host, clock, timing};
  ParameterTable table{host};
};

TEST_F(SettingFileTest, ParameterLinesFollowTheTableWithFactoryRowsOnRequest) {
  const std::string user =
      ParameterLines(table, TheCommandTable(), CurrentValues(table), /*withFactoryRows=*/false);
  const std::string all =
      ParameterLines(table, TheCommandTable(), CurrentValues(table), /*withFactoryRows=*/true);
  const std::string userNames[] = {"TG",  "TI",  "TA",  "ARST", "EM",    "PE",  "LR",  "AL", "BI",
                                   "HB",  "HBM", "BA",  "TAGM", "CLC",   "GA",  "ABG", "BL", "SDC",
                                   "PGC", "PBC", "LUN", "GMA",  "TMPS0", "LS0", "SS",  "MF"};
  const std::string factoryNames[] = {"GA4A00", "GA4B00", "GA8K00", "BL4A00", "BL4B00",
                                      "BL8K00", "BYP0",   "GA00",   "PGC00",  "PBC00"};
  std::string expectedUser;
  for (const std::string& name : userNames) {
    expectedUser +=
        name + "=" +
        std::to_string(table.GetDataValue(table.ToCtrlId(TheCommandTable().Lookup(name)))) + "\r\n";
  }
  EXPECT_EQ(user, expectedUser);
  std::string expectedAll = expectedUser;
  for (const std::string& name : factoryNames) {
    expectedAll +=
        name + "=" +
        std::to_string(table.GetDataValue(table.ToCtrlId(TheCommandTable().Lookup(name)))) + "\r\n";
  }
  EXPECT_EQ(all, expectedAll);

  // The values are the given ones, negatives with their sign.
  std::vector<int32_t> values = CurrentValues(table);
  values[table.CtrlId2TblIndex(table.ToCtrlId(kCmdBL))] = -133;
  EXPECT_NE(ParameterLines(table, TheCommandTable(), values, false).find("\r\nBL=-133\r\n"),
            std::string::npos);
  EXPECT_EQ(ModelLine("QX-2040L-RTN"), "MD00=QX-2040L-RTN\r\n");
  EXPECT_EQ(DeviceLine("1.0.2.3"), "DV=1.0.2.3\r\n");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SettingFileTest, ReaderTakesLfOrCrLfAndKeepsAnOverLongLineWhole) {
  auto lines = Lines("GA=100\r\nBL=5\n\nSS=1");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "GA=100");
  EXPECT_EQ(lines[1].text, "BL=5");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "SS=1");  // the last line needs no line end
  EXPECT_TRUE(Lines("").empty());
  EXPECT_EQ(Lines("\n\n\n").size(), 3u);

  // 255 characters are a line; one more makes it too long. An over-long
  // line stays one line that applies nothing, not pieces read as commands.
  const std::string longest(255, 'x');
  lines = Lines(longest + "\r\n" + std::string(256, 'y') + "\n" + "GA=7" + std::string(300, ' ') +
                "BL=3\r\nMF=1\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_FALSE(lines[0].tooLong);
  EXPECT_EQ(lines[0].text, longest);
  EXPECT_TRUE(lines[1].tooLong);
  EXPECT_TRUE(lines[2].tooLong);
  EXPECT_EQ(Recognise(lines[2].text).kind, SettingLineKind::kParameter);  // cut text alone...
  EXPECT_EQ(RecogniseSettingLine(command, lines[2]).kind, SettingLineKind::kIgnored);  // ...not
  EXPECT_EQ(lines[3].text, "MF=1");
}

TEST_F(SettingFileTest, OnlyWholeNumbersMakeParameterLines) {
  SettingEntry entry = Recognise(" GA = 100 \r");
  EXPECT_EQ(entry.kind, SettingLineKind::kParameter);
  EXPECT_EQ(entry.commandId, kCmdGA);
  EXPECT_EQ(entry.value, 100);
  EXPECT_EQ(Recognise("BL=-133").value, -133);
  EXPECT_EQ(Recognise("GA=&H1F").value, 31);
  EXPECT_EQ(Recognise("GA=+7").value, 7);
  EXPECT_EQ(Recognise("EB=1").kind, SettingLineKind::kParameter);  // a command without a row

  for (const char* text : {"GA?", "GA=", "GA=abc", "GA=12abc", "GA=1,2", "GA=99999999999", "GA=&H",
                           "GA=&H123456789", "GA", "XYZ=1", "ga=100", "", "=5"}) {
    EXPECT_EQ(Recognise(text).kind, SettingLineKind::kIgnored) << text;
  }
}

TEST_F(SettingFileTest, ModelAndDeviceLinesCarryTheirText) {
  SettingEntry model = Recognise("MD00=QX-2080L-RTN");
  EXPECT_EQ(model.kind, SettingLineKind::kModel);
  EXPECT_EQ(model.text, "QX-2080L-RTN");
  SettingEntry device = Recognise("DV=1.0.2.3");
  EXPECT_EQ(device.kind, SettingLineKind::kDevice);
  EXPECT_EQ(device.text, "1.0.2.3");
  EXPECT_EQ(Recognise("DV=").kind, SettingLineKind::kIgnored);
  EXPECT_EQ(Recognise("MD00?").kind, SettingLineKind::kIgnored);
}

}  // namespace
}  // namespace cct
