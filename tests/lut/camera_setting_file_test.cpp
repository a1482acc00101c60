// The camera setting file's lines: how the writers format them and how the
// reader splits and recognises them, without a camera.
#include "lut/camera_setting_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_host.h"
#include "support/scripted_line.h"

namespace cct {
namespace {

class SettingFileTest : public ::testing::Test {
 protected:
  std::vector<SettingLine> Lines(const std::string& content) {
    SettingLineReader reader(content);
    std::vector<SettingLine> lines;
    for (SettingLine line; reader.Next(line);) lines.push_back(line);
    EXPECT_EQ(CountSettingLines(content), static_cast<int>(lines.size()));
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

TEST_F(SettingFileTest, LinesEndInCrLfAndFactoryRowsComeOnRequest) {
  std::vector<int32_t> values = CurrentValues(table);
  values[table.CtrlId2TblIndex(table.ToCtrlId(kCmdBL))] = -133;
  const std::string user = ParameterLines(table, TheCommandTable(), values, false);
  const std::string all = ParameterLines(table, TheCommandTable(), values, true);
  EXPECT_EQ(user.rfind("TG=0\r\nTI=0\r\n", 0), 0u);
  EXPECT_NE(user.find("\r\nBL=-133\r\n"), std::string::npos);
  EXPECT_EQ(user.find("GA4A00"), std::string::npos);
  EXPECT_EQ(all.substr(0, user.size()), user);
  EXPECT_EQ(all.substr(all.size() - 9), "PBC00=0\r\n");
  EXPECT_EQ(ModelLine("QX-2040L-RTN") + DeviceLine("1.0.2.3"),
            "MD00=QX-2040L-RTN\r\nDV=1.0.2.3\r\n");
}

TEST_F(SettingFileTest, ReaderTakesLfOrCrLfAndKeepsAnOverLongLineWhole) {
  auto lines = Lines("GA=100\r\nBL=5\n\nSS=1");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "GA=100");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "SS=1");  // the last line needs no line end
  EXPECT_TRUE(Lines("").empty());

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
  EXPECT_EQ(RecogniseSettingLine(command, lines[2]).kind, SettingLineKind::kIgnored);
  EXPECT_EQ(lines[3].text, "MF=1");
}

TEST_F(SettingFileTest, OnlyWholeNumbersMakeParameterLines) {
  const SettingEntry entry = Recognise(" GA = 100 \r");
  EXPECT_EQ(entry.kind, SettingLineKind::kParameter);
  EXPECT_EQ(entry.commandId, kCmdGA);
  EXPECT_EQ(entry.value, 100);
  EXPECT_EQ(Recognise("BL=-133").value, -133);
  EXPECT_EQ(Recognise("GA=&H1F").value, 31);
  for (const char* text : {"GA?", "GA=", "GA=abc", "GA=12abc", "GA=1,2", "GA=99999999999",
                           "GA=&H123456789", "XYZ=1", "ga=100", "", "DV="}) {
    EXPECT_EQ(Recognise(text).kind, SettingLineKind::kIgnored) << text;
  }
  EXPECT_EQ(Recognise("MD00=QX-2080L-RTN").text, "QX-2080L-RTN");
  EXPECT_EQ(Recognise("DV=1.0.2.3").kind, SettingLineKind::kDevice);
}

}  // namespace
}  // namespace cct
